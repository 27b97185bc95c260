#include "editor/palette/PaletteToolTips.h"

#include "core/Localization.h"
#include "editor/layout/Palette.h"

namespace quabe {

const QStringList& PaletteToolTips::mainTexts() {
  static const QStringList texts = {
      "index",
      "index-middle",
      "index-middle-thumb",
      "four fingers",
      "five fingers",
      "baby finger",
      "ring finger",
      "middle finger",
      "index-thumb",
      "thumb",
      "contact",
      "finger movement",
      "straight wall plane",
      "straight diagonal plane",
      "straight floor plane",
      "curves parallel wall plane",
      "curves hit wall plane",
      "curves hit floor plane",
      "curves parallel floor plane",
      "circles",
      "Fast, Slow, Tense, Relaxed",
      "SameTime, Alternating, EveryOther, Gradual",
      "Head Viewpoints",
      "top view of head, facing front wall or back wall",
      "nose view of head, nose pints to front left corner",
      "head rims",
      "head movement straight wall plane",
      "face direction positions, nose forward tilting",
      "face position, nose points forward, nose tilts left, small face direction line above head",
      "nose points straight up, rotation 01:0 degree",
      "nose points straight up",
      "small face direction line, nose points straight up",
      "Eyebrows, forehead",
      "Eyes",
      "Eyegaze",
      "Cheeks, Ears",
      "Nose, Air, Breath",
      "Mouth",
      "Tongue",
      "Teeth",
      "Jaw movement",
      "Neck, Hair, Excitement",
      "Shoulder/Hip Viewpoint/Position",
      "Shoulder/Hip Move/Tilts",
      "upper body tilts (from hip joints)",
      "Limb Combinations",
      "Limb, Finger",
      "Location Space,...",
      "Comma, Period, Semi-Colon, Colon, Parentheses",
  };
  return texts;
}

QStringList PaletteToolTips::subPaletteTexts(int paletteNumber) {
  switch (paletteNumber) {
    case 10:
      return {"Touch single",
              "Touch multiple",
              "Touch between",
              "Grasp single",
              "Grasp multiple",
              "Grasp between",
              "Strike single",
              "Strike multiple",
              "Strike between",
              "Brush single",
              "Brush multiple",
              "Brush between",
              "Rub single",
              "Rub multiple",
              "Rub between",
              "Surface (fore/back)",
              "Surface (top/bottom)",
              "Surface between",
              "Surface between (top/bottom)"};
    case 21:
      return {"Same time", "Alternating", "Every other", "Gradual"};
    case 32:
      return {"Eyebrows straight up",
              "Eyebrows straight neutral",
              "Eyebrows straight down",
              "Dreamy eyebrows neutral down",
              "Dreamy eyebrows down neutral",
              "Dreamy eyebrows up neutral",
              "Dreamy Eyebrows Neutral-Up",
              "Forehead Neutral",
              "Forehead contact",
              "Forehead wrinkled"};
    case 33:
      return {
          "Eyes open",      "Eyes squeezed",  "Eyes closed",         "Eyes blink single",      "Eyes blinks multiple",
          "Eyes half open", "Eyes wide open", "Eyes half closed",    "Eyes widening movement", "Eye wink",
          "Eyelashes up",   "Eyelashes down", "Eyelashes fluttering"};
    case 48:
      return {"Comma",          "Period",         "Semi-colon", "Colon",    "Parenthesis",
              "Quotation mark", "Quotation mark", "Bracket",    "NMM scope"};
    default:
      return {};
  }
}

QString PaletteToolTips::key(int paletteNumber, int item) {
  const QStringList texts = paletteNumber == Palette::MainPaletteNumber ? mainTexts() : subPaletteTexts(paletteNumber);
  return item >= 0 && item < texts.size() ? texts[item] : QString();
}

QString PaletteToolTips::text(int paletteNumber, int item) {
  const QString english = key(paletteNumber, item);
  return english.isEmpty() ? english : Localization::text(english);
}

}  // namespace quabe
