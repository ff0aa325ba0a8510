// lobrix render: draws editor pages to picture files. `argv` holds the argc words after
// "render". Returns the exit status.
#pragma once

int RunRenderCommand(int argc, char** argv);
