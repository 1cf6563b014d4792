#include "wizard/ResConst.h"

namespace ResConst {

const char* const PageTitles[8] = {
    "Welcome to the Pennacle Word Processor Setup",
    "License Agreement",
    "Choose Destination Folder",
    "Select Components",
    "Ready to Install",
    "Installing",
    "Installation Complete",
    "",
};

const char* const ComponentNames[ComponentCount] = {
    "Pennacle Word Processor", "English proofing tools", "Document templates", "Clip library",
    "Basic sound scheme",
};

const char* const ComponentFileLists[ComponentCount] = {
    "pnc.exe\rLicense.txt",
    ("English (American).lgs\rEnglish (British).lgs\renglish.zlx\rus.zlx\ruk.zlx\r"
     "userdicen.tlx\rEnglish (American).cache\rEnglish (American).hyph\rEnglish (British).hyph"),
    "Templates\\",
    "Clip Library\\",
    "Basic.snd",
};

const TInstallStep ProofingSteps[ProofingStepCount] = {
    {"English (American).lgs", false, nullptr},
    {"English (American).cache", false, nullptr},
    {"English (British).lgs", false, nullptr},
    {"English (American).cache", false, "English (British).cache"},
    {"english.zlx", true, nullptr},
    {"us.zlx", true, nullptr},
    {"uk.zlx", true, nullptr},
    {"userdicen.tlx", false, nullptr},
    {"English (American).hyph", true, nullptr},
    {"English (British).hyph", true, nullptr},
};

} // namespace ResConst
