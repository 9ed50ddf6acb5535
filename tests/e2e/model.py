"""A small, separate model of the game's rules, written from the rules
rather than from the game's code, so that the end-to-end tests can predict
a whole seeded run byte for byte.

It covers the random generator, fighters built from MD5 (hashlib), attacks,
responses, songs, the arena's turn machine and the shell around it (banner,
name entry, play-again loop, verse display, transcript). Texts are written
here in Unicode with their colour markup and turned into GBK bytes; what a
pipe shows is the markup stripped, exactly what the transcript holds.
"""

import collections
import hashlib
import math
import os
import re
import struct


def _project_version():
    """The version, from the one place it is set: CMakeLists.txt's project line."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(path, encoding="utf-8") as f:
        return re.search(r"project\(\w+ VERSION ([0-9.]+)", f.read()).group(1)


VERSION = _project_version()

# ----------------------------------------------------------------- chance


class Random:
    """The linear congruential generator with 15-bit outputs."""

    def __init__(self, clock):
        self.state = clock & 0xFFFFFFFF
        self.next_output()  # seeding discards one draw

    def next_output(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF

    def int(self, a, b):
        """a .. b-1, from k * (2^15 + 1) / 2^30 scaled by b - a, floored."""
        if a == b:
            return a
        k = self.next_output()
        return a + (k * 32769 * (b - a)) // (1 << 30)


# 0.01 as a single-precision value is exactly 10737418 / 2^30.
_C_NUM = 10737418
_C_DEN = 1 << 30


def percent_of(roll, base):
    return (roll * base * _C_NUM) // _C_DEN


def float32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def percent_of_single(roll, base):
    """roll * base * 0.01f rounded to single precision, then floored."""
    return math.floor(float32(float(roll * base) * (_C_NUM / _C_DEN)))


def trunc_half(x):
    return int(x / 2) if x >= 0 else -((-x) // 2)


def ceil_half(x):
    return -((-x) // 2)


def check(roll, attribute, threshold):
    return roll * attribute > threshold * threshold


# ----------------------------------------------------------------- texts

SONGS = [
    "只爱陌生人", "小夜曲", "红豆", "但愿人长久", "我们的爱", "Big Big World",
    "Not Going Anywhere", "不想长大", "擠公交", "许愿池的希腊少女", "我知道你很难过",
    "有你真好", "那么骄傲", "可惜不是你", "至少还有你", "胆小鬼", "听说", "直来直往",
    "我也不想这样", "哎呀", "十送红军",
]
REACTIONS = [
    "真受不了你...", "吵什么吵，找死啊~", "再唱，再唱，你再唱~~", "看招！（一个板凳扔了过去）",
    "若一只妖怪有了人性，那它就不再叫做妖，叫人妖", "啊，啊，啊，受不了啦！S、T、O、P！",
    "不错不错，再来一首", "深藏的暗涌已经越来越明显（欲吐无泪）", "暂停一回合，给我个签名照？",
]

FRAME = "<14>*" + "-" * 47 + "*"
TITLE = "<14>*--------Brambleworthen 控制台版 <13>V" + VERSION + "<14>---------*"
NAME_PROMPT = "<12>*-- 请输入对战双方的姓名，用空格分开：--*"
SAME_NAME = "<12>*-- 自己跟自己打架？-_-! 汗哦 --*\n\n"
PLAY_AGAIN = ("<12>\n\n*-- 继续玩吗？输入<14>R<12>再比一局，输入<14>Y<12>"
              "使用新的名字，输入其他结束游戏：--*")

_TAG = re.compile(rb"<[^<>]*>")


def g(text):
    """Unicode text to the GBK bytes the game holds."""
    return text.encode("gbk")


def plain(marked):
    """Marked-up GBK bytes without their (well-formed) tags."""
    return _TAG.sub(b"", marked)


def atol16(digits):
    m = re.match(rb"\s*([+-]?\d*)", digits)
    text = m.group(1)
    return (int(text) if text not in (b"", b"+", b"-") else 0) & 0xFFFF


def colour_segments(marked):
    """(attribute, bytes) of each segment as one print shows it: text before
    any tag is colour 7; a number 0 keeps the current colour."""
    fg, bg = 7, 0
    pieces = re.split(rb"(<[^<>]*>)", marked)
    result = [(7, pieces[0])] if pieces[0] else []
    for tag, text in zip(pieces[1::2], pieces[2::2]):
        f, _, b = tag[1:-1].partition(b",")
        f, b = atol16(f), atol16(b)
        fg = f or fg
        bg = b or bg
        result.append(((bg | fg) & 0xFFFF, text))
    return result


# ----------------------------------------------------------------- fighter

KIND_NORMAL, KIND_MAGIC, KIND_PUMMEL, KIND_POISON, KIND_SONG = range(5)


class Fighter:
    def __init__(self, name):
        self.name = name  # GBK bytes
        # the digest covers the bytes before the first zero byte
        values = sorted(hashlib.md5(name.split(b"\0")[0]).digest(), reverse=True)
        self.hp, self.mp, self.defence, self.atk = values[0:4]
        self.cunning, self.agility = values[4], values[5]

    def cn(self):
        return b"<3>" + self.name + b"<15>"

    def attribute_line(self):
        return (self.cn() + b" <14>HP:" + nt(self.hp) + b" <14>MP:" + nt(self.mp)
                + b" <14>ATK:" + nt(self.atk) + b" <14>DEF:" + nt(self.defence) + b"\n")

    def hp_text(self):
        self.hp = max(0, min(255, self.hp))
        return self.cn() + b" <14>HP:<12>" + nt(self.hp)


def nt(n):
    return b"<12>" + str(n).encode() + b"<15>"


# ----------------------------------------------------------------- attack


def normal_attack(rng, a):
    r = rng.int(60, 120)
    return percent_of(r, a.atk), KIND_NORMAL, a.cn() + g("进攻，")


def attack(rng, a, d):
    s = rng.int(0, 4)
    if s == 0:
        if a.mp >= 11:
            r = rng.int(40, 80)
            value = a.atk + percent_of(r, trunc_half(a.atk))
            a.mp -= rng.int(10, 35)
            return value, KIND_MAGIC, a.cn() + g("使用<9>魔法攻击<15>，")
        return normal_attack(rng, a)
    if s == 1:
        return normal_attack(rng, a)
    if s == 2:
        if a.hp <= 39:
            message = a.cn() + g("做<11>垂死抗争<15>，所有指数上升\n")
            a.hp += rng.int(20, 60)
            a.mp += rng.int(20, 60)
            a.atk += rng.int(20, 60)
            a.defence += rng.int(20, 60)
            a.agility += rng.int(20, 60)
            a.cunning += rng.int(20, 60)
            value, kind, tail = normal_attack(rng, a)
            return value, kind, message + tail
        if check(rng.int(0, 30), a.atk, 60):
            message = a.cn() + g("发狂了，把") + d.cn() + g("摁在地上一顿暴打")
            r1 = rng.int(50, 100)
            r2 = rng.int(30, 80)
            value = abs(percent_of_single(r1, a.atk) - (r2 * d.defence) // 100)
            return value, KIND_PUMMEL, message
        if check(rng.int(0, 30), a.cunning, 60):
            message = a.cn() + g("居然<6>投毒<15>，") + d.cn() + g("所有属性减半")
            d.hp, d.mp = ceil_half(d.hp), ceil_half(d.mp)
            d.atk, d.defence = ceil_half(d.atk), ceil_half(d.defence)
            d.agility, d.cunning = ceil_half(d.agility), ceil_half(d.cunning)
            return 0, KIND_POISON, message
        return normal_attack(rng, a)
    # s == 3
    if check(rng.int(0, 30), a.cunning, 60):
        title = b"<13>" + g(SONGS[rng.int(0, 21)]) + b"<15>"
        return 0, KIND_SONG, a.cn() + g("开始唱") + title + g("，")
    return normal_attack(rng, a)


# ----------------------------------------------------------------- response


def plain_defence(rng, d, v):
    r = rng.int(80, 130)
    damage = percent_of(r, d.defence) - v
    if damage >= 1:
        d.hp -= damage
        return d.cn() + g("受到") + nt(damage) + g("点伤害")
    return g("<15>被") + d.cn() + g("躲开了")


def listen(rng, listener, singer):
    L, S = listener, singer
    if rng.int(0, 40) * L.cunning > 90 * 90:
        return g("什么都没在") + L.cn() + g("身上发生，") + S.cn() + g("很无语......")
    if rng.int(0, 40) * L.cunning > 80 * 80:
        L.hp += rng.int(0, 80) + 20
        L.mp += rng.int(0, 40) + 20
        p = b"<5>" + g(REACTIONS[rng.int(0, 9)]) + b"<15>"
        return (L.cn() + g("说：") + p + b"\n" + S.cn() + g("唱完，") + L.cn()
                + g("的HP、MP恢复了一点"))
    if rng.int(0, 40) * L.cunning > 70 * 70:
        S.hp += rng.int(0, 80) + 20
        S.mp += rng.int(0, 40) + 20
        p = b"<5>" + g(REACTIONS[rng.int(0, 9)]) + b"<15>"
        return L.cn() + g("说：") + p + b"\n" + S.cn() + g("唱完，自己的HP、MP恢复了一点")
    x = rng.int(0, 40) + 20
    L.hp -= x
    return L.cn() + g("受不了") + S.cn() + g("的魔音传导，HP降低") + nt(x) + g("点")


def respond(rng, d, a, v, kind):
    family = rng.int(0, 3)
    if kind == KIND_SONG:
        return listen(rng, d, a)
    if family == 0 and d.mp >= 21:
        if kind == KIND_MAGIC:
            r = rng.int(60, 100)
            damage = d.defence + percent_of(r, trunc_half(d.defence)) - v
            if damage >= 1:
                d.hp -= damage
                message = d.cn() + g("使用<9>魔法防御<15>，受到") + nt(damage) + g("点伤害")
            else:
                message = d.cn() + g("使用<9>魔法防御<15>，") + a.cn() + g("攻击失败")
        else:
            message = d.cn() + g("使用<9>魔法防御<15>，") + a.cn() + g("的普通攻击无效")
        d.mp -= rng.int(20, 45)
        return message
    if family == 2:
        if check(rng.int(0, 30), d.cunning, 70):
            x = percent_of(rng.int(20, 40), v)
            a.hp -= x
            return (d.cn() + g("<10>移花接木<15>，") + a.cn() + g("受到反作用伤害")
                    + nt(x) + g("点"))
        if check(rng.int(0, 30), d.agility, 60):
            return d.cn() + g("<14>紧急回避<15>，未受到任何伤害")
    return plain_defence(rng, d, v)


# ----------------------------------------------------------------- output


class Output:
    """What the game writes: each piece goes to the console, and the pieces
    printed through the marked printer also go to the transcript."""

    def __init__(self, transcript_failure=None, transcript_path=b""):
        self.console = bytearray()
        self.transcript = bytearray()
        # None: saving off; "ok": saving works; "open"/"write": the first
        # append fails that way.
        self.saving = transcript_failure
        self.path = transcript_path
        self.segments = []  # (attribute or None, bytes) shown, for colour checks

    def shown(self, marked):
        self.console += plain(marked)
        self.segments += colour_segments(marked)

    def console_only(self, marked):
        if marked == b"\n":  # the bare line end, written without colour
            self.console += marked
            self.segments.append((None, marked))
        else:
            self.shown(marked)

    def marked(self, text, newline=True):
        if newline:
            text = text + b"\n"
        self.shown(text)
        if self.saving is None:
            return
        if self.saving == "ok":
            self.transcript += plain(text).replace(b"\n", b"\r\n")
            return
        verb = "创建失败" if self.saving == "open" else "写入失败"
        notice = (g("<12>战况文件“<13>") + self.path + g("<12>”" + verb + "，战况保存功能已禁用。\n")
                  + g(FRAME) + b"\n\n\n" + g(FRAME) + b"\n")
        self.shown(notice)
        self.saving = None


# ----------------------------------------------------------------- arena


class Arena:
    def __init__(self, rng, out):
        self.rng, self.out = rng, out
        self.ticks = 0  # timer ticks taken, the one after the defeat included

    def status(self, text, with_hp):
        hp = b""
        if with_hp:
            hp = self.first.hp_text() + b" " + self.second.hp_text()
        self.out.marked(text + b"    " + hp)

    def build(self, name1, name2):
        self.first, self.second = Fighter(name1), Fighter(name2)
        self.out.console_only(self.first.attribute_line())
        self.out.console_only(self.second.attribute_line())

    def pick(self):
        if self.rng.int(0, 2) > 0:
            self.attacker, self.defender = self.second, self.first
        else:
            self.attacker, self.defender = self.first, self.second

    def swap(self):
        self.attacker, self.defender = self.defender, self.attacker

    def setup(self, name1, name2):
        self.out.console_only(b"\n")
        self.build(name1, name2)
        self.pick()

    def rematch(self, name1, name2):
        self.build(name1, name2)
        self.out.console_only(b"\n")
        self.pick()
        self.battle()

    def defeat(self, loser):
        self.ended = True
        self.status(b"<12>*-- " + loser.cn() + g("被击败了<12> --*") + b"\a", False)

    def battle(self):
        rng = self.rng
        self.status(g("<12>决斗开始！"), False)
        state, self.ended = "attack", False
        while True:
            self.ticks += 1
            if self.ended:
                return
            a, d = self.attacker, self.defender
            if state == "attack":
                if a.hp <= 0:
                    self.defeat(a)
                elif d.hp <= 0:
                    self.defeat(d)
                else:
                    self.value, self.kind, message = attack(rng, a, d)
                    self.status(message, True)
                    if self.kind == KIND_PUMMEL:
                        self.hits, self.count, state = rng.int(2, 5), 0, "pummel"
                    elif self.kind == KIND_POISON:
                        self.swap()
                    else:
                        state = "response"
            elif state == "response":
                message = respond(rng, d, a, self.value, self.kind)
                self.status(message, True)
                if a.hp <= 0:
                    self.defeat(a)
                elif d.hp <= 0:
                    self.defeat(d)
                else:
                    self.swap()
                    state = "attack"
            else:
                self.count += 1
                if self.count > self.hits:
                    self.swap()
                    state = "attack"
                    continue
                x = percent_of(rng.int(60, 100), self.value)
                d.hp -= x
                self.status(d.cn() + g("受到") + nt(x) + g("点伤害"), True)
                if d.hp <= 0:
                    self.defeat(d)


# ----------------------------------------------------------------- the shell

MAKER_LINE = "<14>*---------- Brambleworthen 开发组出品 ----------*"


def run(words, verse=b"", clock=1, saving=None, path=b"", maker_line=MAKER_LINE):
    """The whole run for the typed words (GBK bytes each); returns the
    Output and the Arena. The end of the word list is the end of input."""
    out = Output(saving, path)
    rng = Random(clock)
    arena = Arena(rng, out)
    words = collections.deque(words)

    def read():
        return words.popleft() if words else None

    def enter_names():
        out.marked(g(NAME_PROMPT))
        while True:
            a, b = read(), None
            if a is not None:
                b = read()
            if a is None or b is None:
                return None
            if a != b:
                return a, b
            out.marked(g(SAME_NAME))
            out.marked(g(NAME_PROMPT))

    for line in (FRAME, TITLE, maker_line, FRAME):
        out.marked(g(line))
    names = enter_names()
    if names is None:
        return out, arena
    arena.setup(*names)
    arena.battle()
    while True:
        out.marked(g(PLAY_AGAIN))
        answer = read()
        if answer == b"qzpw":
            out.marked(g("<14>\n" + FRAME))
            out.marked(b"<13>" + verse, newline=False)
            out.marked(g(FRAME + "\n"))
        elif answer in (b"R", b"r"):
            arena.rematch(*names)
        elif answer in (b"Y", b"y"):
            names = enter_names()
            if names is None:
                return out, arena
            arena.rematch(*names)
        else:
            return out, arena
