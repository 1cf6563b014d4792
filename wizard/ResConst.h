#pragma once
// Every text the user sees, every registry, file and resource name, and the constant tables.
// Nothing of these is spelt out anywhere else.

#include <cstdint>

namespace ResConst {

// ---- product ----
constexpr const char* ProductName = "Pennacle Word Processor";
constexpr const char* ProductVersion = "4.3.7.3";
constexpr const char* Publisher = "The Pennacle Word Processor Team";
constexpr const char* SetupCaption = "Pennacle Word Processor - Setup";
constexpr const char* ProductFolderName = "Pennacle";
constexpr const char* ProductWindowProperty = "1.x Tidal Loom";
constexpr const char* UninstallSwitch = "-ui";
constexpr uint16_t MessageLanguage = 1033; // English (United States) button texts

// ---- wizard ----
constexpr int PageCount = 7;
extern const char* const PageTitles[8];
constexpr const char* BackCaption = "< &Back";
constexpr const char* NextCaption = "&Next >";
constexpr const char* FinishCaption = "&Finish";
constexpr const char* SelCompCaption =
    "Uncheck boxes for the &components that you do not wish to install or upgrade (the "
    "required disk space is displayed on the right):";
constexpr const char* SizeMegabytes = "%s MB";
constexpr const char* SizeKilobytes = "%s KB";

// ---- drive list items: "c: [system]", "f: \\srv\data" ----
constexpr const char* DriveItemFormat = "%s: %s";
constexpr const char* VolumeLabelFormat = "[%s]";

// ---- messages ----
constexpr const char* MsgCannotCreateFile =
    "Cannot create file \"%s\".\rAnother application might already be using this file.\r\r"
    "Please make sure that the setup of Pennacle Word Processor is not blocked by your security "
    "software (firewall/antivirus) in any way.\rYou might want to temporarily disable your "
    "security software and try again.";
constexpr const char* MsgQuitSetup =
    "Setup is not complete. Do you wish to quit this setup program?";
constexpr const char* MsgCloseRunningInstances =
    "Please close any running instance(s) of Pennacle Word Processor, then click OK in this "
    "dialog.";
constexpr const char* MsgAcceptLicense =
    "To install this program, you need to agree to all the terms of the License Agreement.";
constexpr const char* MsgSetupDamaged =
    "The setup's data is damaged. Please download the setup of Pennacle Word Processor again.";

// ---- the sample product, built when no real product is given ----
constexpr const char* SampleWindowClass = "PennacleSampleWindow";
constexpr const char* SampleWindowText =
    "Pennacle Word Processor 4.3.7.3\r\n\r\nThis is the sample program that the setup installs "
    "when it is built without the product's own files.";
constexpr const char* MsgSampleNoUninstall =
    "This is the sample program of Pennacle Word Processor: uninstalling is not part of it.";

// ---- components ----
constexpr int ComponentCount = 5;
extern const char* const ComponentNames[ComponentCount];
extern const char* const ComponentFileLists[ComponentCount];

// ---- what the installation writes ----
// One request for a proofing file into data folder 4; FullTargetName, when set, is the name
// the file gets there instead of its own.
struct TInstallStep {
  const char* Pattern;
  bool UpdateIfChanged; // otherwise installed only where missing
  const char* FullTargetName;
};
constexpr int ProofingStepCount = 10;
extern const TInstallStep ProofingSteps[ProofingStepCount];
constexpr const char* TemplatesPattern = "Templates\\";
constexpr const char* ClipLibraryPattern = "Clip Library\\";
constexpr const char* SoundSchemeFile = "Basic.snd";

// ---- files and folders ----
constexpr const char* ProgramFile = "pnc.exe";
constexpr const char* LicenseFile = "License.txt";
constexpr const char* InstallLogFile = "Install.log";
constexpr const char* UpdateLogFile = "Update.log";
constexpr const char* CommonDataFile = "pnc_common.dat";
constexpr const char* InstallStampFile = "install_stamp";
constexpr const char* ShortcutFile = "Pennacle Word Processor.lnk";
constexpr const char* ShortcutDescription =
    "Compact, fast-loading, but still powerful and efficient word processor.";
constexpr const char* HiddenFolder = "Hidden";
constexpr const char* PublicFolder = "Public";
constexpr const char* SpellcheckFolder = "Spellcheck\\";
constexpr const char* PublicPrefix = "Pennacle\\Public\\";
constexpr const char* TempFileStart = "~"; // then the letters of the setup's caption
constexpr const char* TempFileExtension = ".tmp";
constexpr const char* AllEntriesPattern = "*.*"; // every entry of a folder listing
constexpr const char* LogFileCopy = "File Copy: ";
constexpr const char* LogMadeDir = "Made Dir: ";
constexpr char UpdateLogMarker = '*';         // starts the block of one installation
constexpr const char* PublicFileMark = "\t!"; // a public file requested only if missing

// ---- registry ----
constexpr const char* InstallKey = "Software\\Pennacle Word Processor\\Install";
constexpr const char* UninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pennacle Word Processor";
constexpr const char* ValMainDir = "MAINDIR";
constexpr const char* ValComponents = "COMPS (4.3.5)";
constexpr const char* ValInstallToAll = "INSTALLTOALL";
constexpr const char* ValDesktopShortcut = "DSKSHORTCUT";
constexpr const char* ValLaunch = "LAUNCH";
constexpr const char* ValDisplayIcon = "DisplayIcon";
constexpr const char* ValDisplayName = "DisplayName";
constexpr const char* ValDisplayVersion = "DisplayVersion";
constexpr const char* ValEstimatedSize = "EstimatedSize";
constexpr const char* ValPublisher = "Publisher";
constexpr const char* ValUninstallString = "UninstallString";

// ---- resources ----
constexpr const char* ResFilesName = "FILES";
constexpr const char* ResFilesType = "FILES";
constexpr const char* ResLogoName = "LOGO";
constexpr const char* ResLogoType = "PNG";
constexpr const char* ResFormName = "TMAINDLGFORM";
constexpr const char* ResOpenFolder = "OPENFOLDER";
constexpr const char* ResClosedFolder = "CLOSEDFOLDER";
constexpr const char* ResFixedDrive = "FIXEDDRIVE";
constexpr const char* ResRemovableDrive = "REMOVABLEDRIVE";
constexpr int ResMainIcon = 1;
constexpr const char* ManifestAssemblyName = "Pennacle.WordProcessor.Setup";

} // namespace ResConst
