#include "lab/svg.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "console/palette.h"
#include "lab/exact_parts.h"
#include "lab/export.h"
#include "lab/heat_scale.h"
#include "lab/histogram.h"
#include "lab/numbers.h"
#include "lab/start_states.h"

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

// `text` with each {key} replaced by its value (values are not searched
// again, so a name holding braces stays as it is).
std::string Filled(const std::string& text,
                   std::initializer_list<std::pair<const char*, std::string>> values) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    if (text[i] == '{') {
      for (const auto& [key, value] : values) {
        std::string tag = std::string("{") + key + "}";
        if (text.compare(i, tag.size(), tag) == 0) {
          out += value;
          i += tag.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced)
      out += text[i++];
  }
  return out;
}

std::string Percent(double rate) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f %%", rate * 100);
  return text;
}

}  // namespace

const SvgWords& EnglishSvgWords() {
  static const SvgWords words = [] {
    SvgWords w;
    w.group = "";
    w.pair_title = "{one} vs {two}: battle lengths";
    w.sampled = {"{battles} sampled battle (seed {seed})",
                 "{battles} sampled battles (seed {seed})"};
    w.exact = {"exact over {states} start state", "exact over {states} start states"};
    w.pair_subtitle = "{run}, {finished}";
    w.finished = {"{count} finished battle", "{count} finished battles"};
    w.count_axis = "battles";
    w.length_axis = "ticks, first attack to defeat line";
    w.bar_tip = {"{ticks} ticks: {count} battle", "{ticks} ticks: {count} battles"};
    w.rank_title = "Head to head: how often the row's name beats the column's";
    w.rank_sampled = {"Round-robin of {names} names, {battles} battle per pair (seed {seed})",
                      "Round-robin of {names} names, {battles} battles per pair (seed {seed})"};
    w.rank_exact =
        "Exact round-robin of {names} names over {states} of the {all} start states per "
        "pair{merged}";
    w.states_span = "{fewest} to {most}";
    w.merged = {" (1 part merged)", " ({parts} parts merged)"};
    w.cell_tip = "{row} beats {column} in {rate}";
    w.legend = "colours:";
    w.legend_item = "{colour} {range}";
    w.under = "under {below} %";
    w.between = "{from}-{below} %";
    w.over = "{from} % and over";
    return w;
  }();
  return words;
}

std::span<const SvgWordKey> SvgWordKeys() {
  using W = SvgWords;
  static const SvgWordKey keys[] = {
      {"group", &W::group, nullptr},
      {"pair_title", &W::pair_title, nullptr},
      {"sampled", nullptr, &W::sampled},
      {"exact", nullptr, &W::exact},
      {"pair_subtitle", &W::pair_subtitle, nullptr},
      {"finished", nullptr, &W::finished},
      {"count_axis", &W::count_axis, nullptr},
      {"length_axis", &W::length_axis, nullptr},
      {"bar_tip", nullptr, &W::bar_tip},
      {"rank_title", &W::rank_title, nullptr},
      {"rank_sampled", nullptr, &W::rank_sampled},
      {"rank_exact", &W::rank_exact, nullptr},
      {"states_span", &W::states_span, nullptr},
      {"merged", nullptr, &W::merged},
      {"cell_tip", &W::cell_tip, nullptr},
      {"legend", &W::legend, nullptr},
      {"legend_item", &W::legend_item, nullptr},
      {"under", &W::under, nullptr},
      {"between", &W::between, nullptr},
      {"over", &W::over, nullptr},
  };
  return keys;
}

std::string Grouped(uint64_t number, const std::string& group) {
  std::string digits = std::to_string(number);
  if (group.empty())
    return digits;
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0)
      out += group;
    out += digits[i];
  }
  return out;
}

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

std::string SvgText(const PairReport& report, const SvgWords& words) {
  auto number = [&words](uint64_t n) { return Grouped(n, words.group); };
  const Fighter& one = report.one;
  const Fighter& two = report.two;
  const Tally& tally = report.tally;
  std::vector<LengthBin> bins = LengthBins(tally);
  const double left = 80, right = 20, top = 70, bottom = 70, plot_height = 300;
  const double bar = bins.size() > 30 ? 12 : 28;
  const double width = left + right + bar * static_cast<double>(std::max<size_t>(bins.size(), 1));
  const std::string title =
      Filled(words.pair_title, {{"one", NameText(one.name)}, {"two", NameText(two.name)}});
  std::string run;
  if (report.kind == PairReport::Kind::kExact) {
    uint64_t states = Covered(report.ranges);
    run = Filled(words.exact.For(states), {{"states", number(states)}});
  } else {
    run = Filled(words.sampled.For(tally.battles()),
                 {{"battles", number(tally.battles())}, {"seed", std::to_string(report.seed)}});
  }
  const std::string subtitle =
      Filled(words.pair_subtitle, {{"run", run},
                                   {"finished", Filled(words.finished.For(tally.finished()),
                                                       {{"count", number(tally.finished())}})}});
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
    svg += Text(left - 8, y + 4, number(count), " text-anchor=\"end\"");
  }
  svg += Text(
      18, top + plot_height / 2, words.count_axis,
      " text-anchor=\"middle\" transform=\"rotate(-90 18 " + Num(top + plot_height / 2) + ")\"");
  svg +=
      Text((left + width - right) / 2, height - 16, words.length_axis, " text-anchor=\"middle\"");
  for (size_t i = 0; i < bins.size(); ++i) {
    const LengthBin& b = bins[i];
    double x = left + bar * static_cast<double>(i);
    double h = plot_height * static_cast<double>(b.count) / static_cast<double>(top_count);
    std::string label = b.low == b.high ? number(b.low) : number(b.low) + "-" + number(b.high);
    svg +=
        "<rect class=\"bar\" data-low=\"" + std::to_string(b.low) + "\" data-high=\"" +
        std::to_string(b.high) + "\" data-count=\"" + std::to_string(b.count) + "\" x=\"" +
        Num(x + 1) + "\" y=\"" + Num(base - h) + "\" width=\"" + Num(bar - 2) + "\" height=\"" +
        Num(h) + "\" fill=\"#3b6ea8\"><title>" +
        Escape(Filled(words.bar_tip.For(b.count), {{"ticks", label}, {"count", number(b.count)}})) +
        "</title></rect>\n";
    double cx = x + bar / 2;
    svg += Text(cx, base + 12, label,
                " text-anchor=\"end\" font-size=\"10\" transform=\"rotate(-60 " + Num(cx) + " " +
                    Num(base + 12) + ")\"");
  }
  return svg + "</svg>\n";
}

std::string SvgText(const RankReport& report, const SvgWords& words) {
  auto number = [&words](uint64_t n) { return Grouped(n, words.group); };
  const Ranking& ranking = report.ranking;
  size_t n = ranking.rows.size();
  std::string subtitle;
  if (report.battles) {
    subtitle = Filled(words.rank_sampled.For(*report.battles),
                      {{"names", number(n)},
                       {"battles", number(*report.battles)},
                       {"seed", std::to_string(report.seed.value_or(0))}});
  } else {
    std::string states = report.fewest == report.most
                             ? number(report.most)
                             : Filled(words.states_span, {{"fewest", number(report.fewest)},
                                                          {"most", number(report.most)}});
    subtitle = Filled(words.rank_exact,
                      {{"names", number(n)},
                       {"states", states},
                       {"all", number(kStateCount)},
                       {"merged", report.parts ? Filled(words.merged.For(report.parts),
                                                        {{"parts", number(report.parts)}})
                                               : std::string()}});
  }
  size_t longest = 4;
  for (const RankRow& row : ranking.rows)
    longest = std::max(longest, NameText(row.fighter.name).size());
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
    std::string range = i == 0 ? Filled(words.under, {{"below", below}})
                        : i + 1 == steps.size()
                            ? Filled(words.over, {{"from", from}})
                            : Filled(words.between, {{"from", from}, {"below", below}});
    legend.push_back(Filled(words.legend_item, {{"colour", steps[i].colour}, {"range", range}}));
  }
  const std::string& title = words.rank_title;
  const double width = std::max({left + cell * static_cast<double>(n) + 20, 560.0,
                                 40 + TextWidth(subtitle), 40 + TextWidth(title) * 4 / 3});
  const double swatch = 12, gap = 16;
  std::vector<std::pair<double, double>> places;  // x and the line of each legend item
  double x = 20 + TextWidth(words.legend) + gap;
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
    std::string name = std::to_string(r + 1) + ". " + NameText(ranking.rows[r].fighter.name);
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
      std::string row = Escape(NameText(ranking.rows[r].fighter.name));
      std::string column = Escape(NameText(ranking.rows[c].fighter.name));
      svg += "<rect class=\"cell\" data-row=\"" + row + "\" data-column=\"" + column +
             "\" data-wins=\"" + std::to_string(share.wins) + "\" data-battles=\"" +
             std::to_string(share.battles) + "\" data-rate=\"" + ShortestNumber(share.Rate()) +
             "\" x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(cell) + "\" height=\"" +
             Num(cell) + "\" fill=\"" + Fill(colour >> 4) + "\" stroke=\"white\"><title>" +
             Escape(Filled(words.cell_tip, {{"row", NameText(ranking.rows[r].fighter.name)},
                                            {"column", NameText(ranking.rows[c].fighter.name)},
                                            {"rate", Percent(share.Rate())}})) +
             "</title></rect>\n";
      svg += Text(x + cell / 2, y + cell / 2 + 4, Percent(share.Rate()),
                  std::string(" text-anchor=\"middle\" fill=\"") + TextFill(colour) + "\"");
    }
  }
  double legend_top = top + cell * static_cast<double>(n) + 30;
  svg += Text(20, legend_top + 10, words.legend, " class=\"legend\"");
  for (size_t i = 0; i < legend.size(); ++i) {
    auto [lx, line] = places[i];
    double ly = legend_top + 18 * line;
    svg += "<rect x=\"" + Num(lx) + "\" y=\"" + Num(ly) + "\" width=\"" + Num(swatch) +
           "\" height=\"" + Num(swatch) + "\" fill=\"" + Fill(HeatSteps()[i].attribute >> 4) +
           "\" stroke=\"black\"/>\n";
    svg += Text(lx + swatch + 4, ly + 10, legend[i], " class=\"legend\"");
  }
  return svg + "</svg>\n";
}

void WriteSvg(std::ostream& out, const PairReport& report, const SvgWords& words) {
  out << SvgText(report, words);
}

void WriteSvg(std::ostream& out, const RankReport& report, const SvgWords& words) {
  out << SvgText(report, words);
}

}  // namespace bramble::lab
