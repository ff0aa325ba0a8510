#include "render/conversion_picture.h"

#include <string>

namespace lobrix {

ConversionPicture ConversionPictureOf(const KathreinPattern& pattern, std::string_view fileName,
                                      std::string_view folder, int language,
                                      const KathreinConversion* conversion) {
  ConversionPicture picture;
  picture.language = language;
  picture.fileName = std::string(fileName);
  picture.folder = std::string(folder);
  picture.antennaName = pattern.antennaName;
  picture.frequency = pattern.frequency;
  picture.gain = pattern.gain;
  picture.measured = pattern.measured;
  picture.measuredShown = true;
  if (conversion != nullptr) {
    picture.converted = true;
    picture.hCode = conversion->hCode;
    picture.vCode = conversion->vCode;
    picture.fittedAzimuth = conversion->fittedAzimuth;
    picture.fittedTilt = conversion->fittedTilt;
    picture.eleMax = conversion->eleMax;
  }
  return picture;
}

}  // namespace lobrix
