"""The battle transcript (/S:) of the built game: what the file holds, that
it is appended to, and what happens when it cannot be created or written."""

import os
import tempfile

import harness
from harness import GameTest, run, words_input
from model import g

START = g("决斗开始！")


class Transcript(GameTest):
    WORDS = [b"abc", b"abc", b"abc", b"xyz", b"qzpw", b"R", b"y", b"dora", b"emil", b"zzend"]

    def run_with_file(self, path, words=None, cwd=None):
        words = words or self.WORDS
        r = run(["/I:10", "/S:" + path], words_input(*words), cwd=cwd)
        self.assertStatus(r)
        return r

    def test_holds_every_printed_text_and_nothing_else(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "duel.txt")
            r = self.run_with_file(path)
            with open(path, "rb") as f:
                data = f.read()
        out = self.expected(self.WORDS, saving="ok")
        self.assertBytes(r.stdout, bytes(out.console), "console output")
        self.assertBytes(data, bytes(out.transcript), "transcript")
        # the same, as properties, so a failure says which rule broke
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), "every line end is CR LF")
        self.assertNotIn(b"<", data, "no markup")
        self.assertNotIn(b"MP:", data, "no attribute lines")
        self.assertNotIn(b"qzpw", data, "typed words are not written")
        self.assertNotIn(b"zzend", data, "typed words are not written")
        self.assertTrue(data.startswith(b"*" + b"-" * 47 + b"*\r\n"), "starts with the frame line")
        lines = data.split(b"\r\n")
        prompt = [i for i, l in enumerate(lines) if g("请输入对战双方的姓名") in l]
        self.assertTrue(lines[prompt[1] + 1].startswith(START),
                        "no empty line from the setup: after the name prompt comes %r"
                        % harness.show(lines[prompt[1] + 1]))
        defeats = [l for l in lines if g("被击败了") in l]
        self.assertEqual(len(defeats), 3)
        for line in defeats:
            self.assertTrue(line.endswith(b" --*\x07    "), "defeat line %r ends in the bell"
                            % harness.show(line))

    def test_appended_not_truncated(self):
        words = [b"abc", b"xyz", b"n"]
        once = bytes(self.expected(words, saving="ok").transcript)
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "duel.txt")
            with open(path, "wb") as f:
                f.write(b"kept from before\r\n")
            self.run_with_file(path, words)
            self.run_with_file(path, words)
            with open(path, "rb") as f:
                self.assertBytes(f.read(), b"kept from before\r\n" + once + once,
                                 "transcript after two runs")

    def check_failure(self, path, kind, words=None):
        words = words or [b"abc", b"xyz", b"R", b"n"]
        r = self.run_with_file(path, words)
        verb = "创建失败" if kind == "open" else "写入失败"
        notice = g("战况文件“") + path.encode() + g("”" + verb + "，战况保存功能已禁用。\n")
        self.assertEqual(r.stdout.count(notice), 1, "the notice %r must be shown once in\n%s"
                         % (harness.show(notice), harness.show(r.stdout)))
        self.assertEqual(r.stdout.count(START), 2, "the game goes on after the notice")
        out = self.expected(words, saving=kind, path=path.encode())
        self.assertBytes(r.stdout, bytes(out.console), "console output with %s" % path)

    def test_path_that_cannot_be_created(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.check_failure(tmp, "open")  # a directory
            self.check_failure(os.path.join(tmp, "missing", "duel.txt"), "open")
            self.assertEqual(os.listdir(tmp), [])

    def test_device_that_rejects_writes(self):
        self.check_failure("/dev/full", "write")

    def test_paths_that_could_hang_or_swallow_output(self):
        # A FIFO nobody reads would block an ordinary open for ever; a path
        # beyond the system's limit and a link into nowhere cannot be
        # created. Each is the notice, and the game plays on.
        with tempfile.TemporaryDirectory() as tmp:
            fifo = os.path.join(tmp, "fifo")
            os.mkfifo(fifo)
            nowhere = os.path.join(tmp, "nowhere")
            os.symlink(os.path.join(tmp, "missing", "duel.txt"), nowhere)
            for path in (fifo, nowhere, os.path.join(tmp, "x" * 5000)):
                with self.subTest(path=path[:80]):
                    self.check_failure(path, "open")

    def test_dangling_link_creates_what_it_points_to(self):
        words = [b"abc", b"xyz", b"n"]
        with tempfile.TemporaryDirectory() as tmp:
            target = os.path.join(tmp, "duel.txt")
            os.symlink(target, os.path.join(tmp, "link"))
            r = self.run_with_file(os.path.join(tmp, "link"), words)
            with open(target, "rb") as f:
                self.assertBytes(f.read(), bytes(self.expected(words, saving="ok").transcript),
                                 "transcript through the link")
        self.assertBytes(r.stdout, bytes(self.expected(words, saving="ok").console))


if __name__ == "__main__":
    harness.main()
