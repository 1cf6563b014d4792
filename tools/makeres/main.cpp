// Writes the resources of the wizard's face: the program's icon, the control bitmaps of the
// folder and drive lists, and the manifest. The output is the same bytes on every run, so the
// committed files can be checked against a fresh run.
//
//   makeres OUTPUT-FOLDER

#include "Bitmaps.h"
#include "Files.h"
#include "Icon.h"
#include "wizard/ResConst.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const char* const ManifestRest =
    "  <dependency>\r\n"
    "    <dependentAssembly>\r\n"
    "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
    "version=\"6.0.0.0\" processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" "
    "language=\"*\"/>\r\n"
    "    </dependentAssembly>\r\n"
    "  </dependency>\r\n"
    "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">\r\n"
    "    <security>\r\n"
    "      <requestedPrivileges>\r\n"
    "        <requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>\r\n"
    "      </requestedPrivileges>\r\n"
    "    </security>\r\n"
    "  </trustInfo>\r\n"
    "  <compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">\r\n"
    "    <application>\r\n"
    "      <supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>\r\n"
    "      <supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>\r\n"
    "      <supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>\r\n"
    "      <supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>\r\n"
    "    </application>\r\n"
    "  </compatibility>\r\n"
    "</assembly>\r\n";

std::string Manifest() {
  return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
             "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
             "  <assemblyIdentity type=\"win32\" name=\"") +
         ResConst::ManifestAssemblyName + "\" version=\"" + ResConst::ProductVersion +
         "\" processorArchitecture=\"*\"/>\r\n"
         "  <description>" +
         ResConst::SetupCaption + "</description>\r\n" + ManifestRest;
}

bool Write(const std::string& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: makeres OUTPUT-FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  bool ok = true;
  std::vector<TRaster> sizes;
  for (int size : {256, 48, 32, 16}) sizes.push_back(PaintIcon(size));
  ok &= Write(folder + "Setup.ico", EncodeIcon(sizes));
  for (const TNamedBitmap& b : ControlBitmaps()) ok &= Write(folder + b.File, b.Bytes);
  const std::string manifest = Manifest();
  ok &= Write(folder + "Setup.manifest", TBytes(manifest.begin(), manifest.end()));
  if (!ok) std::fprintf(stderr, "makeres: cannot write to %s\n", argv[1]);
  return ok ? 0 : 1;
}
