#pragma once

#include <array>
#include <string_view>

namespace vendaro {

// The editing surface's published command numbers the editor window uses.
namespace edit {
constexpr int kBold = 5000;
constexpr int kCopy = 5002;
constexpr int kCut = 5003;
constexpr int kDeleteCols = 5006;
constexpr int kDeleteRows = 5007;
constexpr int kFont = 5009;
constexpr int kGetBlockFormat = 5011;
constexpr int kGetFontName = 5013;
constexpr int kGetFontSize = 5014;
constexpr int kInsertCol = 5020;
constexpr int kInsertRow = 5021;
constexpr int kInsertTable = 5022;
constexpr int kMakeAbsolute = 5028;
constexpr int kPaste = 5032;
constexpr int kSelectAll = 5035;
constexpr int kSendToBack = 5040;
constexpr int kSetBlockFormat = 5043;
constexpr int kSetFontName = 5044;
constexpr int kSetFontSize = 5045;
constexpr int kSetForeColor = 5046;
// QueryStatus: available from 3 on, exactly 7 when latched.
constexpr int kAvailable = 3;
constexpr int kLatched = 7;
}  // namespace edit

// One entry of a command table: a caption (or a toolbar key) and its
// command number; 0 marks a separator.
struct EditorCommand {
  std::string_view caption;
  int number;
};

inline constexpr std::array<EditorCommand, 11> kToolbarCommands{{{"Bold", 5000},
                                                                  {"Italic", 5023},
                                                                  {"Underline", 5048},
                                                                  {"Numbers", 5030},
                                                                  {"Bullets", 5051},
                                                                  {"Outdent", 5031},
                                                                  {"Indent", 5018},
                                                                  {"LeftJustify", 5025},
                                                                  {"Center", 5024},
                                                                  {"RightJustify", 5026},
                                                                  {"Color", 5046}}};
inline constexpr std::array<EditorCommand, 9> kEditCommands{{{"Undo", 5049},
                                                             {"Redo", 5033},
                                                             {"-", 0},
                                                             {"Cut", 5003},
                                                             {"Copy", 5002},
                                                             {"Paste", 5032},
                                                             {"Select All", 5035},
                                                             {"-", 0},
                                                             {"Find Text", 5008}}};
inline constexpr std::array<EditorCommand, 2> kInsertCommands{{{"Picture...", 5017},
                                                               {"Hyperlink", 5016}}};
inline constexpr std::array<EditorCommand, 12> kTableCommands{{{"Insert Table...", 5022},
                                                               {"-", 0},
                                                               {"Insert Row", 5021},
                                                               {"Insert Column", 5020},
                                                               {"Insert Cell", 5019},
                                                               {"-", 0},
                                                               {"Delete Rows", 5007},
                                                               {"Delete Columns", 5006},
                                                               {"Delete Cells", 5005},
                                                               {"-", 0},
                                                               {"Merge Cells", 5029},
                                                               {"Split Cell", 5047}}};
inline constexpr std::array<EditorCommand, 9> kD2DCommands{{{"Make Absolute", 5028},
                                                            {"Bring To Front", 5041},
                                                            {"Send To Back", 5040},
                                                            {"Bring Forward", 5037},
                                                            {"Send Back", 5036},
                                                            {"Bring Above Text", 5039},
                                                            {"Send Below Text", 5038},
                                                            {"-", 0},
                                                            {"Lock Element", 5027}}};

}  // namespace vendaro
