// The plug-in's only export.
#include "piece_cutter.h"

extern "C" __attribute__((visibility("default"))) int MakePuzzle(const char* picture, int number,
                                                                 const char* output_folder) {
  if (!picture || !output_folder) return 0;
  try {
    return puzzle::CutPicture(puzzle::NativeFromHostPath(picture), puzzle::GridForNumber(number),
                              puzzle::NativeFromHostPath(output_folder))
               ? 1
               : 0;
  } catch (...) {
    return 0;  // nothing may escape into the host
  }
}
