#include "lab/svg.h"

#include <algorithm>
#include <cstdio>

#include "lab/export.h"
#include "lab/heat_map.h"
#include "lab/histogram.h"
#include "lab/json.h"

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

// The console colours of HeatColour as the usual terminal palette.
const char* Rgb(uint16_t colour) {
  static const char* const kPalette[16] = {
      "#000000", "#0000aa", "#00aa00", "#00aaaa", "#aa0000", "#aa00aa", "#aa5500", "#aaaaaa",
      "#555555", "#5555ff", "#55ff55", "#55ffff", "#ff5555", "#ff55ff", "#ffff55", "#ffffff"};
  return kPalette[colour & 15];
}

std::string Percent(double rate) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f %%", rate * 100);
  return text;
}

}  // namespace

std::string HistogramSvg(const Fighter& one, const Fighter& two, const Tally& tally,
                         const std::string& subtitle) {
  std::vector<LengthBin> bins = LengthBins(tally);
  const double left = 80, right = 20, top = 70, bottom = 70, plot_height = 300;
  const double bar = bins.size() > 30 ? 12 : 28;
  const double width = left + right + bar * static_cast<double>(std::max<size_t>(bins.size(), 1));
  const double full_width = std::max(width, 560.0);
  const double height = top + plot_height + bottom;
  uint64_t most = 1;
  for (const LengthBin& bin : bins)
    most = std::max(most, bin.count);

  std::string svg = Open(full_width, height);
  svg += Text(left, 24, NameText(one.name) + " vs " + NameText(two.name) + ": battle lengths",
              " font-size=\"16\" font-weight=\"bold\"");
  svg += Text(left, 44, subtitle + ", " + std::to_string(tally.finished()) + " finished battles");
  double base = top + plot_height;
  svg += Line(left, top, left, base) + Line(left, base, width - right, base);
  for (int step = 0; step <= 4; ++step) {
    double y = base - plot_height * step / 4;
    uint64_t count = most * static_cast<uint64_t>(step) / 4;
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
    double h = plot_height * static_cast<double>(b.count) / static_cast<double>(most);
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
  return svg + "</svg>\n";
}

std::string HeatMapSvg(const Ranking& ranking, const std::string& subtitle) {
  size_t n = ranking.rows.size();
  size_t longest = 4;
  for (const RankRow& row : ranking.rows)
    longest = std::max(longest, NameText(row.name).size());
  const double cell = 56;
  const double left = 40 + 8 * static_cast<double>(std::min<size_t>(longest, 40));
  const double top = 70 + 7 * static_cast<double>(std::min<size_t>(longest, 40));
  const double width = std::max(left + cell * static_cast<double>(n) + 20, 560.0);
  const double height = top + cell * static_cast<double>(n) + 50;

  std::string svg = Open(width, height);
  svg += Text(20, 24, "Head to head: how often the row's name beats the column's",
              " font-size=\"16\" font-weight=\"bold\"");
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
             std::to_string(share.battles) + "\" data-rate=\"" + JsonNumber(share.Rate()) +
             "\" x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(cell) + "\" height=\"" +
             Num(cell) + "\" fill=\"" + Rgb(colour >> 4) + "\" stroke=\"white\"><title>" + row +
             " beats " + column + " in " + Percent(share.Rate()) + "</title></rect>\n";
      svg += Text(x + cell / 2, y + cell / 2 + 4, Percent(share.Rate()),
                  std::string(" text-anchor=\"middle\" fill=\"") + Rgb(colour) + "\"");
    }
  }
  svg += Text(20, height - 20,
              "colours: red under 20 %, light red 20-40 %, yellow 40-60 %, "
              "light green 60-80 %, green 80 % and over");
  return svg + "</svg>\n";
}

}  // namespace bramble::lab
