#include "tools/sampleproduct/SampleNames.h"

#include <utility>

namespace {

using Folder = std::pair<const char*, std::vector<const char*>>;

const std::vector<Folder> kTemplates = {
    {"Faxes", {"Business Fax", "Fax Cover Sheet", "Personal Fax"}},
    {"Letters",
     {"Business Letter", "Complaint Letter", "Cover Letter", "Personal Letter", "Reference Letter",
      "Thank You Letter"}},
    {"Memos", {"Formal Memo", "Informal Memo", "Meeting Notice", "Short Memo"}},
    {"Stories", {"Novel Manuscript", "Screenplay", "Short Story"}},
    {"TOCs", {"Book Contents", "Report Contents", "Thesis Contents"}},
};

const std::vector<Folder> kClips = {
    {"Closings",
     {"All the best", "Best regards", "Best wishes", "Cordially", "Kind regards", "Respectfully",
      "Sincerely", "Warm wishes", "With thanks", "Yours faithfully", "Yours sincerely",
      "Yours truly"}},
    {"Greetings",
     {"Bon Voyage", "Congratulations", "Get Well Soon", "Good Luck", "Happy Anniversary",
      "Happy Birthday", "Happy Easter", "Happy New Year", "Happy Retirement", "Merry Christmas",
      "New Baby", "Season's Greetings", "Welcome", "With Sympathy"}},
    {"Headers & Footers",
     {"Author and Page", "Chapter Title", "Company Name", "Confidential", "Continuation Sheet",
      "Copyright Notice", "Date Right", "Draft", "File Name", "Letterhead", "Page Number Centred",
      "Page X of Y", "Rule Above", "Rule Below", "Title and Date", "Two Parts"}},
    {"Miscellaneous",
     {"Address Block", "Attention Line", "Carbon Copy", "Disclaimer", "Distribution List",
      "Enclosure", "Postscript", "Reply Slip", "Signature Block", "Subject Line"}},
    {"Phrases",
     {"Apologies for the delay",
      "As requested",
      "At your earliest convenience",
      "Attached please find",
      "Following our meeting",
      "Further to our conversation",
      "I am writing to",
      "I look forward to hearing from you",
      "I would be grateful",
      "In reply to your enquiry",
      "Kindly note",
      "Many thanks for your help",
      "Please accept our apologies",
      "Please confirm receipt",
      "Please do not hesitate",
      "Please find enclosed",
      "Please let me know",
      "Thank you for your letter",
      "Thank you for your order",
      "Thank you in advance",
      "We are pleased to inform you",
      "We hope to see you",
      "We regret to inform you",
      "With reference to"}},
    {"Salutations",
     {"Dear Colleague", "Dear Customer", "Dear Friend", "Dear Madam", "Dear Member", "Dear Sir",
      "Dear Sir or Madam", "Dear Team", "Hello", "To Whom It May Concern"}},
    {"Tables",
     {"Calendar Month", "Checklist", "Comparison", "Contact List", "Expenses", "Invoice",
      "Order Form", "Price List", "Schedule", "Three Columns", "Timetable", "Two Columns"}},
};

const std::vector<Folder> kPictures = {
    {"Animals",
     {"Bird", "Butterfly", "Cat", "Dog", "Elephant", "Fish", "Horse", "Lion", "Owl", "Rabbit",
      "Turtle"}},
    {"Arrows",
     {"Curved Left", "Curved Right", "Double", "Down", "Left", "Right", "Round Trip", "Up",
      "Up Down", "U-Turn", "Zigzag"}},
    {"Borders",
     {"Celtic", "Checkered", "Dots", "Double Line", "Flowers", "Greek Key", "Hearts", "Leaves",
      "Rope", "Stars", "Waves"}},
    {"Buildings",
     {"Barn", "Bridge", "Castle", "Church", "Cottage", "Factory", "House", "Lighthouse",
      "Skyscraper", "Tower", "Windmill"}},
    {"Business",
     {"Bar Chart", "Briefcase", "Calculator", "Calendar", "Handshake", "Laptop", "Meeting",
      "Pie Chart", "Telephone", "Trophy"}},
    {"Celebrations",
     {"Balloons", "Birthday Cake", "Candles", "Champagne", "Confetti", "Fireworks", "Gift",
      "Party Hat", "Ribbon", "Wedding Rings"}},
    {"Flags",
     {"Checkered Flag", "Pennant", "Pirate Flag", "Red Flag", "Signal Flags", "Triangle Flag",
      "Waving Flag", "White Flag", "Bunting", "Banner"}},
    {"Food",
     {"Apple", "Bread", "Cheese", "Coffee", "Cupcake", "Grapes", "Ice Cream", "Lemon", "Pizza",
      "Teapot"}},
    {"Music",
     {"Drum", "Guitar", "Harp", "Headphones", "Microphone", "Note", "Piano", "Trumpet",
      "Treble Clef", "Violin"}},
    {"Nature",
     {"Cloud", "Flower", "Leaf", "Moon", "Mountain", "Rainbow", "Snowflake", "Sun", "Tree",
      "Wave"}},
    {"People",
     {"Baby", "Chef", "Doctor", "Family", "Farmer", "Graduate", "Runner", "Student", "Teacher",
      "Waiter"}},
    {"Shapes",
     {"Circle", "Cross", "Diamond", "Heart", "Hexagon", "Octagon", "Oval", "Square", "Star",
      "Triangle"}},
    {"Sports",
     {"Baseball", "Basketball", "Bicycle", "Football", "Golf", "Skiing", "Swimming", "Table Tennis",
      "Tennis", "Volleyball"}},
    {"Transport",
     {"Aeroplane", "Boat", "Bus", "Car", "Helicopter", "Motorcycle", "Rocket", "Ship", "Taxi",
      "Train"}},
};

void AddFolders(std::vector<TSampleName>& names, const std::string& parent,
                const std::vector<Folder>& folders, const char* extension, TSampleKind kind,
                int component) {
  for (const auto& [folder, files] : folders)
    for (const char* file : files)
      names.push_back({parent + folder + "\\" + file + extension, kind, component});
}

std::vector<TSampleName> MakeNames() {
  using K = TSampleKind;
  std::vector<TSampleName> names = {
      {"pnc.exe", K::Program, 0},
      {"License.txt", K::License, 0},
      {"English (American).lgs", K::LanguageSettings, 1},
      {"English (British).lgs", K::LanguageSettings, 1},
      {"us.zlx", K::Lexicon, 1},
      {"uk.zlx", K::Lexicon, 1},
      {"userdicen.tlx", K::UserDictionary, 1},
      {"English (American).cache", K::WordCache, 1},
      {"english.zlx", K::Lexicon, 1},
      {"English (American).hyph", K::Hyphenation, 1},
      {"English (British).hyph", K::Hyphenation, 1},
  };
  AddFolders(names, "Templates\\", kTemplates, ".rtf", K::Template, 2);
  AddFolders(names, "Clip Library\\", kClips, ".rtf", K::Clip, 3);
  AddFolders(names, "Clip Library\\Images\\", kPictures, ".bmp", K::Picture, 3);
  names.push_back({"Basic.snd", K::SoundScheme, 4});
  return names;
}

} // namespace

const std::vector<TSampleName>& SampleNames() {
  static const std::vector<TSampleName> names = MakeNames();
  return names;
}
