#include "lab/svg.h"

#include <algorithm>
#include <cstdio>

#include "console/palette.h"
#include "lab/export.h"
#include "lab/heat_scale.h"
#include "lab/histogram.h"
#include "lab/numbers.h"

namespace bramble::lab {

namespace {

std::string Escape(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string Open(double width, double height) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         Num(width) + "\" height=\"" + Num(height) + "\" viewBox=\"0 0 " + Num(width) + " " +
         Num(height) +
         "\" font-family=\"sans-serif\" font-size=\"12\">\n"
         "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

std::string Text(double x, double y, const std::string& text, const std::string& extra = "") {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\"" + extra + ">" + Escape(text) +
         "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2) {
  return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
         Num(y2) + "\" stroke=\"black\"/>\n";
}

std::string Fill(uint16_t colour) { return HexColour(PaletteColour(colour)); }

// The text colour of a cell in a console attribute's colours: its
// foreground, unless that is hard to read on the cell (below 4.5:1), when
// black or white, whichever stands out more.
std::string TextFill(uint16_t attribute) {
  Rgb cell = PaletteColour(attribute >> 4);
  Rgb text = PaletteColour(attribute);
  if (Contrast(text, cell) < 4.5) {
    Rgb black = PaletteColour(0), white = PaletteColour(15);
    text = Contrast(black, cell) > Contrast(white, cell) ? black : white;
  }
  return HexColour(text);
}

// About the width of a text of 12 px sans-serif, for laying out lines that
// must fit (a little more than most fonts take).
double TextWidth(const std::string& utf8) {
  double width = 0;
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80)
      width += 7;
    else if (byte >= 0xE0)
      width += 12;  // the lead byte of a wide character
  }
  return width;
}

std::string Percent(double rate) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f %%", rate * 100);
  return text;
}

}  // namespace

uint64_t AxisStep(uint64_t most, uint64_t ticks) {
  uint64_t want = std::max<uint64_t>((most + ticks - 1) / std::max<uint64_t>(ticks, 1), 1);
  for (uint64_t power = 1;; power *= 10) {
    for (uint64_t step : {power, 2 * power, 5 * power}) {
      if (step >= want)
        return step;
    }
    if (power > UINT64_MAX / 100)
      return power * 10;
  }
}

void WriteSvg(std::ostream& out, const PairReport& report) {
  const Fighter& one = report.one;
  const Fighter& two = report.two;
  const Tally& tally = report.tally;
  std::vector<LengthBin> bins = LengthBins(tally);
  const double left = 80, right = 20, top = 70, bottom = 70, plot_height = 300;
  const double bar = bins.size() > 30 ? 12 : 28;
  const double width = left + right + bar * static_cast<double>(std::max<size_t>(bins.size(), 1));
  const std::string title = NameText(one.name) + " vs " + NameText(two.name) + ": battle lengths";
  const std::string subtitle =
      report.Subtitle() + ", " + std::to_string(tally.finished()) + " finished battles";
  const double full_width = std::max(
      {width, 560.0, left + 20 + TextWidth(subtitle), left + 20 + TextWidth(title) * 4 / 3});
  const double height = top + plot_height + bottom;
  uint64_t most = 1;
  for (const LengthBin& bin : bins)
    most = std::max(most, bin.count);
  // The count axis runs to a whole number of round steps.
  const uint64_t step = AxisStep(most, 4);
  const uint64_t top_count = (most + step - 1) / step * step;

  std::string svg = Open(full_width, height);
  svg += Text(left, 24, title, " font-size=\"16\" font-weight=\"bold\"");
  svg += Text(left, 44, subtitle);
  double base = top + plot_height;
  svg += Line(left, top, left, base) + Line(left, base, width - right, base);
  for (uint64_t count = 0; count <= top_count; count += step) {
    double y = base - plot_height * static_cast<double>(count) / static_cast<double>(top_count);
    svg += Line(left - 4, y, left, y);
    svg += Text(left - 8, y + 4, std::to_string(count), " text-anchor=\"end\"");
  }
  svg += Text(
      18, top + plot_height / 2, "battles",
      " text-anchor=\"middle\" transform=\"rotate(-90 18 " + Num(top + plot_height / 2) + ")\"");
  svg += Text((left + width - right) / 2, height - 16, "ticks, first attack to defeat line",
              " text-anchor=\"middle\"");
  for (size_t i = 0; i < bins.size(); ++i) {
    const LengthBin& b = bins[i];
    double x = left + bar * static_cast<double>(i);
    double h = plot_height * static_cast<double>(b.count) / static_cast<double>(top_count);
    std::string label = b.low == b.high ? std::to_string(b.low)
                                        : std::to_string(b.low) + "-" + std::to_string(b.high);
    svg += "<rect class=\"bar\" data-low=\"" + std::to_string(b.low) + "\" data-high=\"" +
           std::to_string(b.high) + "\" data-count=\"" + std::to_string(b.count) + "\" x=\"" +
           Num(x + 1) + "\" y=\"" + Num(base - h) + "\" width=\"" + Num(bar - 2) + "\" height=\"" +
           Num(h) + "\" fill=\"#3b6ea8\"><title>" + label + " ticks: " + std::to_string(b.count) +
           " battles</title></rect>\n";
    double cx = x + bar / 2;
    svg += Text(cx, base + 12, label,
                " text-anchor=\"end\" font-size=\"10\" transform=\"rotate(-60 " + Num(cx) + " " +
                    Num(base + 12) + ")\"");
  }
  out << svg << "</svg>\n";
}

void WriteSvg(std::ostream& out, const RankReport& report) {
  const Ranking& ranking = report.ranking;
  const std::string subtitle = report.Heading();
  size_t n = ranking.rows.size();
  size_t longest = 4;
  for (const RankRow& row : ranking.rows)
    longest = std::max(longest, NameText(row.name).size());
  const double cell = 56;
  const double left = 40 + 8 * static_cast<double>(std::min<size_t>(longest, 40));
  const double top = 70 + 7 * static_cast<double>(std::min<size_t>(longest, 40));
  // The legend: a swatch and the rates of each colour, in a line that
  // wraps to the picture's width.
  std::span<const HeatStep> steps = HeatSteps();
  std::vector<std::string> legend;
  for (size_t i = 0; i < steps.size(); ++i) {
    std::string below = std::to_string(steps[i].below);
    std::string from = i ? std::to_string(steps[i - 1].below) : "";
    legend.push_back(std::string(steps[i].colour) + " " +
                     (i == 0                  ? "under " + below + " %"
                      : i + 1 == steps.size() ? from + " % and over"
                                              : from + "-" + below + " %"));
  }
  const char* const title = "Head to head: how often the row's name beats the column's";
  const double width = std::max({left + cell * static_cast<double>(n) + 20, 560.0,
                                 40 + TextWidth(subtitle), 40 + TextWidth(title) * 4 / 3});
  const double swatch = 12, gap = 16;
  std::vector<std::pair<double, double>> places;  // x and the line of each legend item
  double x = 20 + TextWidth("colours:") + gap;
  int lines = 1;
  for (const std::string& label : legend) {
    double item = swatch + 4 + TextWidth(label);
    if (x + item > width - 20 && x > 20) {
      x = 20;
      ++lines;
    }
    places.push_back({x, lines - 1});
    x += item + gap;
  }
  const double height = top + cell * static_cast<double>(n) + 34 + 18 * lines;

  std::string svg = Open(width, height);
  svg += Text(20, 24, title, " font-size=\"16\" font-weight=\"bold\"");
  svg += Text(20, 44, subtitle);
  for (size_t r = 0; r < n; ++r) {
    std::string name = std::to_string(r + 1) + ". " + NameText(ranking.rows[r].name);
    double y = top + cell * static_cast<double>(r) + cell / 2 + 4;
    svg += Text(left - 8, y, name, " text-anchor=\"end\"");
    double x = left + cell * static_cast<double>(r) + cell / 2;
    svg += Text(x, top - 8, name, " transform=\"rotate(-45 " + Num(x) + " " + Num(top - 8) + ")\"");
  }
  for (size_t r = 0; r < n; ++r) {
    for (size_t c = 0; c < n; ++c) {
      double x = left + cell * static_cast<double>(c);
      double y = top + cell * static_cast<double>(r);
      if (r == c) {
        svg += "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(cell) +
               "\" height=\"" + Num(cell) + "\" fill=\"#dddddd\" stroke=\"white\"/>\n";
        continue;
      }
      const Share& share = ranking.matrix[r][c];
      uint16_t colour = HeatColour(share.Rate());
      std::string row = Escape(NameText(ranking.rows[r].name));
      std::string column = Escape(NameText(ranking.rows[c].name));
      svg += "<rect class=\"cell\" data-row=\"" + row + "\" data-column=\"" + column +
             "\" data-wins=\"" + std::to_string(share.wins) + "\" data-battles=\"" +
             std::to_string(share.battles) + "\" data-rate=\"" + ShortestNumber(share.Rate()) +
             "\" x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(cell) + "\" height=\"" +
             Num(cell) + "\" fill=\"" + Fill(colour >> 4) + "\" stroke=\"white\"><title>" + row +
             " beats " + column + " in " + Percent(share.Rate()) + "</title></rect>\n";
      svg += Text(x + cell / 2, y + cell / 2 + 4, Percent(share.Rate()),
                  std::string(" text-anchor=\"middle\" fill=\"") + TextFill(colour) + "\"");
    }
  }
  double legend_top = top + cell * static_cast<double>(n) + 30;
  svg += Text(20, legend_top + 10, "colours:", " class=\"legend\"");
  for (size_t i = 0; i < legend.size(); ++i) {
    auto [lx, line] = places[i];
    double ly = legend_top + 18 * line;
    svg += "<rect x=\"" + Num(lx) + "\" y=\"" + Num(ly) + "\" width=\"" + Num(swatch) +
           "\" height=\"" + Num(swatch) + "\" fill=\"" + Fill(HeatSteps()[i].attribute >> 4) +
           "\" stroke=\"black\"/>\n";
    svg += Text(lx + swatch + 4, ly + 10, legend[i], " class=\"legend\"");
  }
  out << svg << "</svg>\n";
}

}  // namespace bramble::lab
