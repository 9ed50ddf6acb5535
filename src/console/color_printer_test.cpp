#include "console/color_printer.h"

#include <gtest/gtest.h>

#include "console/recording_console_test.h"

namespace bramble {
namespace {

// Parses and emits `text` on a recording console; returns the recording
// with every attribute change written as "{n}".
RecordingConsole Show(std::string_view text) {
  RecordingConsole recording;
  ColorPrinter printer;
  printer.Clear();
  printer.Parse(text);
  std::string plain = printer.Emit(recording);
  EXPECT_EQ(plain, recording.text);
  return recording;
}

struct ShownCase {
  const char* text;
  const char* shown;  // as recorded: "{n}" for every colour set
};

void ExpectShown(std::initializer_list<ShownCase> cases) {
  for (const ShownCase& c : cases)
    EXPECT_EQ(Show(c.text).marked, c.shown) << c.text;
}

TEST(ColorPrinter, ColoursTheSegmentsOfMarkedText) {
  ExpectShown({
      {"plain usage line", "{7}plain usage line{7}"},
      {"<12>abc<14>def\n", "{12}abc{14}def\n{7}"},
      {"abc<12>def", "{7}abc{12}def{7}"},
      {"<12><14>x", "{12}{14}x{7}"},       // an empty segment
      {"<14,16>x<12>y", "{30}x{28}y{7}"},  // background OR-ed unshifted, kept
      {"<14,1>x", "{15}x{7}"},
      {"<0>x", "{7}x{7}"},  // 0 keeps the colour
      {"<12>a<0,0>b", "{12}a{12}b{7}"},
      {"<-1>x", "{65535}x{7}"},               // every attribute bit
      {"<65548>x", "{12}x{7}"},               // modulo 65536
      {"<4294967308>x", "{12}x{7}"},          // wraps like a 32-bit atol
      {"< +12abc>x", "{12}x{7}"},             // read the way atol reads
      {"<xyz>x", "{7}x{7}"},                  // no digits: 0 keeps
      {"<3>a<10>b<15>", "{3}a{10}b{15}{7}"},  // a tag typed in a name is obeyed
      {"<12,>x<7,32>y", "{12}x{39}y{7}"},
  });
}

TEST(ColorPrinter, MalformedTagsPrintLiterallyAndStayInsideTheText) {
  ExpectShown({
      {"abc<", "{7}abc{7}<{7}"},
      {"<12>ab<", "{12}ab{12}<{7}"},
      {"<", "{7}<{7}"},
      {"<12<14>x", "{7}<12{14}x{7}"},  // a "<" inside a tag
      {"<12>a<b<14>c", "{12}a{12}<b{14}c{7}"},
      {"<<>x", "{7}<{7}x{7}"},
      {"a>b", "{7}a>b{7}"},
  });
}

// Texts a fuzzer found to cost time growing with the square of their
// length: each "<" searched the rest of the text for ">" and ",".
TEST(ColorPrinter, MegabyteTextsOfOpenAnglesOrTagsParseFully) {
  std::string angles(1 << 20, '<');
  std::string tags;
  for (int i = 0; i < (1 << 18); ++i)
    tags += "<1>";
  for (const std::string& text : {angles, tags}) {
    ColorPrinter printer;
    printer.Clear();
    printer.Parse(text);
    EXPECT_EQ(printer.texts().size(), text == angles ? angles.size() : tags.size() / 3);
  }
  // The "," and ">" found for one tag serve the tags after it.
  ExpectShown({
      {"<1>x,<2,48>y>z", "{1}x,{50}y>z{7}"},
      {"<1,<2>,x<3,16>y", "{7}<1,{2},x{19}y{7}"},
  });
}

TEST(ColorPrinter, EveryEmitStartsFromTheDefaultColours) {
  EXPECT_EQ(Show("<14,16>x").marked, "{30}x{7}");
  EXPECT_EQ(Show("<0>y").marked, "{7}y{7}");
}

TEST(ColorPrinter, SeveralParsesRunOnInOneEmit) {
  RecordingConsole recording;
  ColorPrinter printer;
  printer.Clear();
  printer.Parse("<14,16>a");
  printer.Parse("<0>b");
  EXPECT_EQ(printer.texts().size(), 2u);
  printer.Emit(recording);
  printer.Emit(recording);  // Emit leaves the lists as they are
  EXPECT_EQ(recording.marked, "{30}a{30}b{7}{30}a{30}b{7}");
}

}  // namespace
}  // namespace bramble
