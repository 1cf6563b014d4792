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
    "English (American).lgs\rEnglish (British).lgs\renglish.zlx\rus.zlx\ruk.zlx\r"
    "userdicen.tlx\rEnglish (American).cache\rEnglish (American).hyph\rEnglish (British).hyph",
    "Templates\\",
    "Clip Library\\",
    "Basic.snd",
};

} // namespace ResConst
