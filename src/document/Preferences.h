#pragma once

#include <QString>
#include <QtGlobal>

namespace quabe {

// The display and dictionary settings of one document. A new record starts
// from the user settings (with the values registered from the "Defaults"
// property list as fall-backs); a document read from a file then takes the
// sign box size, spacing and writing direction from the file's root element.
class Preferences {
 public:
  // Reads every field from the user settings.
  Preferences();

  // The values a document file keeps for the sign box size and the spacing
  // (whole numbers, both ends included), and what stands in for a value
  // outside them. What the preferences panel accepts, what the file reader
  // takes and what the user settings give a document are the same ranges.
  struct Range {
    int low;
    int high;
    double fallback;
    bool contains(double value) const { return value >= low && value <= high && value == double(qint64(value)); }
    double sanitized(double value) const { return contains(value) ? value : fallback; }
  };
  static constexpr Range SignBoxRange{1, 256, 150};  // width and height
  static constexpr Range LineSpaceRange{0, 100, 20};
  static constexpr Range SignSpaceRange{0, 100, 10};

  // The user-settings keys, one per field.
  static constexpr const char* SignBoxWidthKey = "SignBoxWidth";
  static constexpr const char* SignBoxHeightKey = "SignBoxHeight";
  static constexpr const char* MinSignSpaceKey = "MinSignSpace";
  static constexpr const char* LineSpaceKey = "LineSpace";
  static constexpr const char* ShowRulesKey = "ShowRules";
  static constexpr const char* ShowBordersKey = "ShowBorders";
  static constexpr const char* ShowSignFramesKey = "ShowSignFrames";
  static constexpr const char* ShowGlossesKey = "ShowGlosses";
  static constexpr const char* ShowCommentsKey = "ShowComments";
  static constexpr const char* ColorHandsKey = "ColorHands";
  static constexpr const char* AutoCenteringKey = "AutoCentering";
  static constexpr const char* VerticalWritingKey = "VerticalWriting";
  static constexpr const char* RotatePuncsKey = "RotatePuncs";
  static constexpr const char* UseAlternativeDictKey = "UseAlternativeDict";
  static constexpr const char* AlternativeDictPathKey = "AlternativeDictPath";

  // Reads all fifteen fields again from the user settings. Numbers read as
  // doubles, flags as Booleans; a key with neither a stored nor a registered
  // value reads as 0, false or an empty text. A size or space outside its
  // range (stored by an earlier version) reads as the range's fallback.
  void readUserDefaults();
  // Stores all fifteen fields in the user settings.
  void writeUserDefaults() const;

  // Every field equal; a new field takes part by itself.
  bool operator==(const Preferences&) const = default;

  double defaultSignBoxWidth = 0;
  double defaultSignBoxHeight = 0;
  double minSignSpace = 0;
  double lineSpace = 0;
  bool showRules = false;
  bool showBorders = false;
  bool showSignFrames = false;
  bool showGlosses = false;
  bool showComments = false;
  bool colorHands = false;
  bool autoCentering = false;
  bool verticalWriting = false;
  bool rotatePuncs = false;
  bool useAlternativeDict = false;
  QString alternativeDictPath;
};

}  // namespace quabe
