// Stand-in for the render command in builds without the drawing code.
#include "render_command.h"

#include <cstdio>

int RunRenderCommand(int, char**) {
  std::fputs("lobrix: render is not available in this build\n", stderr);
  return 2;
}
