// The page's own words, per language: its labels and buttons (set into
// the elements that name a key: data-text for the text, data-text-label,
// -placeholder and -alt for those attributes; `code` in backquotes), its
// messages and progress, the lab's errors by their code, and the words the
// lab's pictures are drawn in (handed to LabSvg; its keys are those of
// SvgWords in src/lab/svg.h). A language is a table of the same keys; the
// page speaks the one the player chose (?lang=, or the language control),
// else the browser's (English or Chinese), and sets its <html lang> to it.
// Texts hold {placeholders} that `text` fills in; a text beside a count
// has a form for each of the language's plural forms; counts are grouped
// every three digits with `group`.
// The game's own lines are the game's, in the game's texts: the page asks
// the game for the same language (/L:).
"use strict";
var BrambleTexts = (function () {
  const TABLES = {
    zh: {
      group: ",",
      // The page's labels and buttons.
      tabs: "视图", tab_battle: "对战", tab_odds: "胜率", tab_rank: "排名",
      word: "名字或回答", word_hint: "输入名字或回答，按回车", send: "回车",
      interval: "间隔", ms: "毫秒", save: "保存战况", restart: "新游戏",
      name1: "名字一", name2: "名字二", battles_box: "场数", seed_box: "种子", seed_hint: "随机",
      exact_box: "精确（全部 2^32 种开局）", odds_run: "计算", cancel: "取消", go: "仍然开始", no: "不了",
      agility: "敏捷", cunning: "智谋", hidden: "（隐藏）",
      wins: "胜场", battles_head: "场数", rate: "胜率",
      odds_picture: "对战长度分布图", rank_picture: "对阵胜率热图",
      download_json: "下载 JSON", download_svg: "下载 SVG", result_link: "本结果的链接",
      rank_names: "名字，一行一个", rank_battles_box: "每对场数", rank_run: "排名",
      place: "名次", name: "名字", mean_rate: "平均胜率", beaten: "胜过",
      help: "链接：`?seed=S` 重放一局；`?odds=名字一,名字二`（可加 `&battles=N`、`&seed=S`、`&exact=1` 或 " +
            "`&range=FIRST:COUNT`）算胜率；`?rank=名字,名字,...` 排名。名字按 UTF-8 百分号编码，名字之间用逗号隔开；" +
            "名字里的逗号写作 `%2C`，百分号写作 `%25`，加号照写。`?lang=en` 或 `?lang=zh` 选择语言。",
      language: "语言", lang_zh: "中文", lang_en: "English", list_separator: "；",
      // The battle's messages beside the game's lines.
      replaying: "重放刷新前的对战",
      nothing_to_save: "还没有战况：对战开始后才能保存",
      game_over: "游戏结束",
      seconds: "{n} 秒", minutes: "{n} 分钟", hours: "{n} 小时", days: "{n} 天",
      lab_failed: "实验室模块出错了，请重新载入页面",
      lab_refused: "实验室拒绝了这个请求",
      error: "出错了：{message}",
      busy: "请等上一个计算结束，或取消它",
      cancelled: "已取消",
      not_started: "没有开始",
      estimating: "估算用时……",
      working: "计算中……",
      working_about: "计算中……约需 {time}",
      two_names: "请填两个名字",
      same_names: "自己跟自己打架？请填两个不同的名字",
      name_blank: "名字里不能有空格（游戏把空格当作两个名字的分隔）",
      battles: "场数应是 1 到 4,294,967,296 之间的整数（更多也不会更准：精确计算每种开局只算一次）",
      battles_per_pair: "每对场数应是 1 到 4,294,967,296 之间的整数",
      seed: "种子应是 0 到 9,007,199,254,740,992（2^53）之间的整数",
      interval_head: "95 % 区间", exact_head: "精确值",
      lengths: "对战长度：平均 {mean} 回合，中位数 {median} 回合。",
      unfinished: "{count} 场到 {cap} 回合仍未分胜负。",
      all_states: "全部 {states} 种开局。",
      some_states: "覆盖 {states} / {all} 种开局（{ranges}）。",
      seed_used: "种子 {seed}。",
      sampled_in: "{battles} 场，用时 {time}",
      exact_working: "精确计算中（{workers} 个线程）……",
      exact_progress: "{percent}，还需约 {time}（{workers} 个线程）",
      exact_in: "{states} 种开局，用时 {time}",
      odds_confirm: "这要算 {work} 场，在这台设备上约需 {time}（每个线程每秒约 {rate} 场）。要开始吗？",
      rank_few: "排名至少要两个名字，一行一个",
      rank_many: "{count} 个名字太多了：页面最多排 {most} 个（对阵表会有 {cells} 格）；更多请用命令行的 --rank",
      rank_repeat: "第 {first} 行和第 {second} 行是同一个名字：{name}",
      rank_blank: "第 {line} 行的名字里有空格（游戏把空格当作两个名字的分隔）",
      rank_confirm: "{names} 个名字有 {pairs} 对，共 {work} 场，在这台设备上约需 {time}。要开始吗？",
      rank_in: "{work} 场，用时 {time}",
      rank_exact_link: "精确排名只有命令行能算（--rank FILE --split N，再 --merge）",
      link_names: "链接里 {key} 的名字编码有误（百分号后应是两位十六进制数）",
      link_pair: "链接的 odds 要两个名字，用逗号隔开（名字里的逗号写作 %2C）",
      link_range: "链接的 range 应是 FIRST:COUNT（或用逗号连起的几段，互不重叠），在 2^32 种开局之内",
      // Shares of an exact run, merged in the page.
      merge_head: "合并份额",
      merge_hint: "在几台设备上各算一段（`&range=FIRST:COUNT` 链接或命令行的 `--exact-range`），把下载的 JSON 文件" +
                  "在这里打开或拖到这里，合并结果与命令行的 `--merge` 相同。",
      merge_open: "打开份额文件", merge_clear: "清空",
      merge_working: "合并中……",
      merge_state: "已合并 {files} 份，覆盖 {states} / {all} 种开局（{percent}）。",
      merge_done: "已合并 {files} 份，覆盖全部 {all} 种开局：精确结果。",
      merge_cleared: "已清空合并的份额",
      merge_file_taken: "{file}：已合并（开局 {ranges}）",
      merge_file_refused: "{file}：没有合并。{reason}",
      merge_unreadable: "文件读不出来",
      share_note: "这是一份份额：下载它的 JSON，就能在另一台设备上（“合并份额”）或用命令行的 `--merge` 与其他份额合并。",
      // The lab's refusals, by their code.
      lab_names: "名字有误：名字不能为空，不能含空格，两个名字也不能相同",
      "lab_rank-names": "名字列表有误：一行一个名字，不含空格，不重复，至少两个",
      lab_battles: "场数应是 1 到 4,294,967,296 之间的整数",
      lab_seed: "种子应是 0 到 9,007,199,254,740,992（2^53）之间的整数",
      lab_range: "开局范围应在 2^32 种开局之内",
      lab_merge: "这不是实验室完好的 JSON：读不出来，或计数对不上",
      "lab_merge-pair": "这份是另一对名字的结果，不能与已合并的份额合并",
      "lab_merge-overlap": "这份与已合并的份额有重叠的开局，合并会把它们算两次",
      "lab_merge-version": "这份来自另一个版本的实验室，规则可能不同，不能合并",
      "lab_merge-kind": "这不是精确计算的份额（应是 range 链接或 --exact-range 下载的 JSON）",
      lab_report: "实验室的结果无法读取",
      lab_words: "图的文字表不完整",
      // The words of the lab's pictures (LabSvg).
      svg: {
        pair_title: "{one} 对 {two}：对战长度",
        sampled: "抽样 {battles} 场（种子 {seed}）",
        exact: "精确：{states} 种开局",
        pair_subtitle: "{run}，{finished}",
        finished: "其中 {count} 场分出胜负",
        count_axis: "场数",
        length_axis: "回合数（从第一次进攻到被击败）",
        bar_tip: "{ticks} 回合：{count} 场",
        rank_title: "对阵：每行的名字胜过每列的名字的比率",
        rank_sampled: "{names} 个名字循环对战，每对 {battles} 场（种子 {seed}）",
        rank_exact: "{names} 个名字精确循环对战，每对 {states} / {all} 种开局{merged}",
        states_span: "{fewest} 至 {most}",
        merged: "（合并了 {parts} 份）",
        cell_tip: "{row} 胜 {column} 的比率：{rate}",
        legend: "颜色：",
        legend_item: "{range}",
        under: "低于 {below} %",
        between: "{from}–{below} %",
        over: "{from} % 及以上",
      },
    },
    en: {
      group: ",",
      // The page's labels and buttons.
      tabs: "Views", tab_battle: "Battle", tab_odds: "Odds", tab_rank: "Ranking",
      word: "Name or answer", word_hint: "Type names or an answer, then Enter", send: "Enter",
      interval: "Pace", ms: "ms", save: "Save battle log", restart: "New game",
      name1: "Name one", name2: "Name two", battles_box: "Battles", seed_box: "Seed", seed_hint: "random",
      exact_box: "Exact (all 2^32 start states)", odds_run: "Calculate", cancel: "Cancel", go: "Start anyway", no: "No",
      agility: "Agility", cunning: "Cunning", hidden: " (hidden)",
      wins: "Wins", battles_head: "Battles", rate: "Win rate",
      odds_picture: "How long the battles last", rank_picture: "Head-to-head win rates",
      download_json: "Download JSON", download_svg: "Download SVG", result_link: "Link to this result",
      rank_names: "Names, one per line", rank_battles_box: "Battles per pair", rank_run: "Rank",
      place: "Place", name: "Name", mean_rate: "Mean win rate", beaten: "Beats",
      help: "Links: `?seed=S` replays a battle; `?odds=NAME1,NAME2` (add `&battles=N`, `&seed=S`, `&exact=1` or " +
            "`&range=FIRST:COUNT`) calculates the odds; `?rank=NAME,NAME,...` ranks names. Names are UTF-8, " +
            "percent-encoded, and separated by commas; write a comma in a name as `%2C` and a percent sign as " +
            "`%25`; a plus sign stays as it is. `?lang=en` or `?lang=zh` picks the language.",
      language: "Language", lang_zh: "中文", lang_en: "English", list_separator: "; ",
      // The battle's messages beside the game's lines.
      replaying: "Replaying the battle from before the reload",
      nothing_to_save: "Nothing to save yet: the log starts with the battle",
      game_over: "Game over",
      seconds: { by: "n", one: "{n} second", other: "{n} seconds" },
      minutes: { by: "n", one: "{n} minute", other: "{n} minutes" },
      hours: { by: "n", one: "{n} hour", other: "{n} hours" },
      days: { by: "n", one: "{n} day", other: "{n} days" },
      lab_failed: "The lab stopped with an error; reload the page",
      lab_refused: "The lab refused this request",
      error: "Error: {message}",
      busy: "Wait for the last run to finish, or cancel it",
      cancelled: "Cancelled",
      not_started: "Not started",
      estimating: "Estimating the time...",
      working: "Working...",
      working_about: "Working... about {time}",
      two_names: "Fill in two names",
      same_names: "Fighting yourself? Fill in two different names",
      name_blank: "A name cannot contain spaces (the game reads a space as the gap between two names)",
      battles: "Battles must be a whole number from 1 to 4,294,967,296 (more is no more exact: an exact run plays each start state once)",
      battles_per_pair: "Battles per pair must be a whole number from 1 to 4,294,967,296",
      seed: "The seed must be a whole number from 0 to 9,007,199,254,740,992 (2^53)",
      interval_head: "95 % interval", exact_head: "Exact",
      lengths: "Battle length: mean {mean} ticks, median {median}.",
      unfinished: { by: "count", one: "{count} battle still undecided after {cap} ticks.",
                    other: "{count} battles still undecided after {cap} ticks." },
      all_states: "All {states} start states.",
      some_states: "{states} of {all} start states ({ranges}).",
      seed_used: "Seed {seed}.",
      sampled_in: { by: "battles", one: "{battles} battle in {time}", other: "{battles} battles in {time}" },
      exact_working: { by: "workers", one: "Exact run ({workers} thread)...", other: "Exact run ({workers} threads)..." },
      exact_progress: { by: "workers", one: "{percent}, about {time} to go ({workers} thread)",
                        other: "{percent}, about {time} to go ({workers} threads)" },
      exact_in: { by: "states", one: "{states} start state in {time}", other: "{states} start states in {time}" },
      odds_confirm: { by: "work", one: "That is {work} battle, about {time} on this device (about {rate} battles per second per thread). Start?",
                      other: "That is {work} battles, about {time} on this device (about {rate} battles per second per thread). Start?" },
      rank_few: "A ranking needs at least two names, one per line",
      rank_many: "{count} names are too many: the page ranks at most {most} (the table would have {cells} cells); use the command line's --rank for more",
      rank_repeat: "Lines {first} and {second} hold the same name: {name}",
      rank_blank: "The name on line {line} contains a space (the game reads a space as the gap between two names)",
      rank_confirm: { by: "pairs", one: "{names} names make {pairs} pair, {work} battles in all, about {time} on this device. Start?",
                      other: "{names} names make {pairs} pairs, {work} battles in all, about {time} on this device. Start?" },
      rank_in: { by: "work", one: "{work} battle in {time}", other: "{work} battles in {time}" },
      rank_exact_link: "An exact ranking is for the command line only (--rank FILE --split N, then --merge)",
      // Shares of an exact run, merged in the page.
      merge_head: "Merge shares",
      merge_hint: "Calculate a share on each of several devices (a `&range=FIRST:COUNT` link or the command line's " +
                  "`--exact-range`), then open or drop the downloaded JSON files here: the result is what the " +
                  "command line's `--merge` gives.",
      merge_open: "Open share files", merge_clear: "Clear",
      merge_working: "Merging...",
      merge_state: { by: "files", one: "{files} share merged, covering {states} of {all} start states ({percent}).",
                     other: "{files} shares merged, covering {states} of {all} start states ({percent})." },
      merge_done: { by: "files", one: "{files} share merged, covering all {all} start states: the exact result.",
                    other: "{files} shares merged, covering all {all} start states: the exact result." },
      merge_cleared: "The merged shares are cleared",
      merge_file_taken: "{file}: merged (start states {ranges})",
      merge_file_refused: "{file}: not merged. {reason}",
      merge_unreadable: "The file cannot be read.",
      share_note: "This is a share: download its JSON to merge it with other shares on another device " +
                  "(\"Merge shares\") or with the command line's `--merge`.",
      link_names: "The names of {key} in the link are badly encoded (a percent sign takes two hexadecimal digits)",
      link_pair: "The link's odds takes two names, separated by a comma (a comma in a name is %2C)",
      link_range: "The link's range must be FIRST:COUNT (or several joined by commas, not overlapping), within the 2^32 start states",
      // The lab's refusals, by their code.
      lab_names: "Bad names: a name cannot be empty or contain spaces, and the two must differ",
      "lab_rank-names": "Bad list of names: one name per line, no spaces, no repeats, at least two",
      lab_battles: "Battles must be a whole number from 1 to 4,294,967,296",
      lab_seed: "The seed must be a whole number from 0 to 9,007,199,254,740,992 (2^53)",
      lab_range: "The range must lie within the 2^32 start states",
      lab_merge: "This is not sound lab JSON: it cannot be read, or its counts do not add up",
      "lab_merge-pair": "This share is of another pair of names and cannot join the merged ones",
      "lab_merge-overlap": "This share overlaps the start states already merged; merging would count them twice",
      "lab_merge-version": "This share comes from another version of the lab, whose rules may differ",
      "lab_merge-kind": "This is not a share of an exact run (a range link's or --exact-range's JSON)",
      lab_report: "The lab's result cannot be read",
      lab_words: "The picture's table of words is incomplete",
      // The words of the lab's pictures (LabSvg): a wording that counts
      // is [one, other], the lab choosing by its count.
      svg: {
        pair_title: "{one} vs {two}: battle lengths",
        sampled: ["{battles} battle sampled (seed {seed})", "{battles} battles sampled (seed {seed})"],
        exact: ["Exact: {states} start state", "Exact: {states} start states"],
        pair_subtitle: "{run}, {finished}",
        finished: ["{count} decided", "{count} decided"],
        count_axis: "Battles",
        length_axis: "Ticks (from the first attack to the fall)",
        bar_tip: ["{ticks} ticks: {count} battle", "{ticks} ticks: {count} battles"],
        rank_title: "Head to head: how often each row's name beats each column's",
        rank_sampled: ["Round-robin of {names} names, {battles} battle per pair (seed {seed})",
                       "Round-robin of {names} names, {battles} battles per pair (seed {seed})"],
        rank_exact: "Exact round-robin of {names} names, {states} of {all} start states per pair{merged}",
        states_span: "{fewest} to {most}",
        merged: [" (merged from {parts} share)", " (merged from {parts} shares)"],
        cell_tip: "{row} beats {column}: {rate}",
        legend: "Colours:",
        legend_item: "{range}",
        under: "below {below} %",
        between: "{from}-{below} %",
        over: "{from} % and above",
      },
    },
  };

  // The page's language: the address's ?lang= (remembered for the next
  // visit), else the one chosen last time, else the browser's: English
  // when it prefers English to Chinese, else Chinese, the game's own.
  const LANG_KEY = "brambleworthen.lang";
  function preferred() {
    const wanted = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language];
    for (const tag of wanted) {
      const language = String(tag || "").toLowerCase().split("-")[0];
      if (language === "en" || language === "zh")
        return language;
    }
    return "zh";
  }
  function chosen() {
    const asked = new URLSearchParams(location.search).get("lang");
    if (asked !== null && asked.toLowerCase() in TABLES) {
      try {
        localStorage.setItem(LANG_KEY, asked.toLowerCase());
      } catch (e) {
        // no storage here (a private window may refuse it): this visit only
      }
      return asked.toLowerCase();
    }
    try {
      const kept = localStorage.getItem(LANG_KEY);
      if (kept && kept in TABLES)
        return kept;
    } catch (e) {
      // as above
    }
    return preferred();
  }
  const lang = chosen();
  const table = TABLES[lang];
  document.documentElement.lang = lang === "zh" ? "zh-CN" : lang;

  // A whole number with its digits grouped as the page groups them.
  function whole(n) {
    const digits = String(Math.round(Number(n)));
    return digits.replace(/\B(?=(\d{3})+$)/g, table.group);
  }

  // The text of `key` with each {name} replaced by values[name]. A text
  // that counts something is { by, one, other, ... }: the form the
  // language's plural rules give for the count values[by] (its digits
  // grouped or not).
  const plurals = new Intl.PluralRules(lang === "zh" ? "zh-CN" : lang);
  function text(key, values) {
    let template = table[key];
    if (template && typeof template === "object") {
      const count = Number(String(values && values[template.by]).split(table.group).join(""));
      template = template[plurals.select(count)] || template.other;
    }
    if (typeof template !== "string")
      throw new Error("no text " + key);
    return template.replace(/\{(\w+)\}/g, function (all, name) {
      return values && name in values ? String(values[name]) : all;
    });
  }

  // The table's words for the lab's pictures, with the page's grouping.
  const svgWords = JSON.stringify(Object.assign({ group: table.group }, table.svg));

  // The page's labels: each element naming a key gets its words.
  for (const element of document.querySelectorAll("[data-text]")) {
    element.textContent = "";
    text(element.dataset.text).split("`").forEach(function (part, i) {
      if (i % 2) {
        const code = document.createElement("code");
        code.textContent = part;
        element.appendChild(code);
      } else if (part) {
        element.appendChild(document.createTextNode(part));
      }
    });
  }
  for (const [key, attribute] of [["label", "aria-label"], ["placeholder", "placeholder"], ["alt", "alt"]])
    for (const element of document.querySelectorAll("[data-text-" + key + "]"))
      element.setAttribute(attribute, text(element.getAttribute("data-text-" + key)));

  // The language control: the choice is kept and the page opened again in
  // it (the game's language is chosen when it starts).
  const control = document.getElementById("lang");
  if (control) {
    control.value = lang;
    control.addEventListener("change", function () {
      try {
        localStorage.setItem(LANG_KEY, control.value);
      } catch (e) {
        // the address carries it
      }
      const address = new URL(location.href);
      address.searchParams.set("lang", control.value);
      location.href = address.href;
    });
  }

  return { lang: lang, text: text, whole: whole, svgWords: svgWords,
           has: function (key) { return key in table; } };
})();
