// TPNGImage::LoadFromStream on any bytes: it loads or raises the class library's exceptions,
// nothing else, and leaves no palette handle behind. The bytes are loaded twice into one
// image, so that a load also meets an image that already has a palette.
#include "image/PNG.h"
#include "platform/os/sim/SimSystem.h"
#include "platform/rtl/Exceptions.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto* sim = dynamic_cast<SimSystem*>(&Sys());
  if (!sim) Finding("the fuzz build's machine is not a SimSystem");
  const size_t before = sim->LivePalettes();
  {
    TPNGImage image;
    for (int round = 0; round < 2; ++round) {
      TMemoryStream stream;
      stream.WriteBuffer(data, int32_t(size));
      stream.SetPosition(0);
      try {
        image.LoadFromStream(stream);
      } catch (const Exception&) {
      }
      if (sim->LivePalettes() > before + (image.Palette() ? 1 : 0))
        Finding("a palette handle outlived its load");
    }
  }
  if (sim->LivePalettes() != before) Finding("a palette handle outlived its image");
  return 0;
}
