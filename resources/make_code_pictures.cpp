// Writes the 25 code-type button pictures as 24-bit BMP files into a folder. The committed
// pictures in resources/code_pictures/ come from:
//   build/native/resources/make_code_pictures resources/code_pictures
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "platform/cairo/surface_cairo.h"
#include "resources/code_pictures.h"

int main(int argc, char** argv) {
  using namespace lobrix;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_code_pictures FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  for (const CodePicture& picture : CodePictures()) {
    auto device = std::make_unique<SurfaceCairo>(kCodePictureWidth, kCodePictureHeight);
    const SurfaceCairo& surface = *device;
    Gfx gfx(std::move(device));
    SetUpSurface(gfx);
    DrawCodePicture(gfx, picture);
    const auto bytes = BitmapFile(surface);
    const std::string path = folder + "/" + picture.name + ".bmp";
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      std::fprintf(stderr, "make_code_pictures: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
