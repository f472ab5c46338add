#pragma once

// The objectNames of the main window and its controls, in one place. Tests, scripts and
// accessibility tools find every control by these names; the C++ names are by role.
namespace names {

inline constexpr char window[] = "Form1";

// Search criteria
inline constexpr char criteriaFrame[] = "Frame2";
inline constexpr char nameMode[] = "Option2";
inline constexpr char letterMode[] = "Option1";
inline constexpr char searchBox[] = "Combo8";
inline constexpr char operatorLabel[] = "Label1";
inline constexpr char operatorBox[] = "Combo9";
inline constexpr char letterBox[] = "Combo3";
inline constexpr char groupLabel[] = "Label4";
inline constexpr char groupBox[] = "Combo6";
inline constexpr char diskLabel[] = "LabelDisk";
inline constexpr char diskBox[] = "Combo1";
inline constexpr char excludeAvailable[] = "Check2";
inline constexpr char excludeUnavailable[] = "Check3";
inline constexpr char excludeUndumped[] = "Check4";
inline constexpr char availableMark[] = "Picture2";
inline constexpr char unavailableMark[] = "Picture3";
inline constexpr char undumpedMark[] = "Picture4";
inline constexpr char reverseColumns[] = "Check1";
inline constexpr char searchButton[] = "OKButton";
inline constexpr char resetButton[] = "Command1";
inline constexpr char exitButton[] = "Command2";
inline constexpr char criteriaPicture[] = "Picture5";

// Syntax panel
inline constexpr char syntaxPanel[] = "Frame4";
inline constexpr char syntaxTitle[] = "LabelSyntaxTitle";
inline constexpr char operatorHelp[] = "Label12";
inline constexpr char syntaxClose[] = "Command3";

// Result list and its panels
inline constexpr char resultList[] = "ListView1";
inline constexpr char welcomePanel[] = "Frame3";
inline constexpr char welcomePicture[] = "Picture1";
inline constexpr char welcomeLegend[] = "Image1";
inline constexpr char welcomeThe[] = "Label10";
inline constexpr char welcomeSt[] = "Label7";
inline constexpr char welcomeKestrel[] = "Label8";
inline constexpr char welcomeListingCredit[] = "Label2";
inline constexpr char welcomeAuthorCredit[] = "Label9";
inline constexpr char noMatchesPanel[] = "Frame1";
inline constexpr char noMatchesText[] = "Label5";

// Status
inline constexpr char statusText[] = "Label3";
inline constexpr char timeText[] = "Label14";
inline constexpr char statusBar[] = "StatusBar1";
inline constexpr char progressBar[] = "ProgressBar1";
inline constexpr const char* statusPanels[3] = {"Panel1", "Panel2", "Panel3"};

// Hidden holders: the list mode and the text on its way to the clipboard
inline constexpr char listModeBox[] = "Text1";
inline constexpr char stagingBox[] = "RTB1";

// Toolbar and menus (the toolbar buttons are named by their keys, see MainActions)
inline constexpr char toolbar[] = "Toolbar1";
inline constexpr char popupMenu[] = "mnufav";

} // namespace names
