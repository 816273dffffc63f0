#!/usr/bin/python3
"""Rewrites a C++ source so that clang compiles its narrow literals to GBK.

g++ builds the program with -fexec-charset=GB18030; clang accepts no
execution character set but UTF-8. This copies a UTF-8 source and writes
every non-ASCII character of a narrow string literal ("..." and R"(...)",
universal character names included) as the octal escapes of its GB18030
bytes, which for the GBK characters our texts use are the bytes code page
936 gives them. Octal escapes end after three digits, so a digit after one
stays a character of its own. Everything else (comments, identifiers such as
创建二维码, u8"", u"", U"" and L"" literals) is left as it is, and a #line
directive keeps the original file name in diagnostics and stack traces.
tests/fuzz/GbkLiteralsTest.cpp checks the copies against g++'s own
conversion.

Usage: gbk-literals.py SOURCE OUTPUT
"""

import os
import sys

PREFIXES = {"", "R", "L", "LR", "u", "uR", "U", "UR", "u8", "u8R"}
NARROW = {"", "R"}


def is_ident_start(c):
    return c.isalpha() or c == "_" or ord(c) >= 0x80


def is_ident_char(c):
    return is_ident_start(c) or c.isdigit()


def octal(char):
    return "".join("\\%03o" % b for b in char.encode("gb18030"))


def escaped_ascii(char):
    return {"\\": "\\\\", '"': '\\"', "\n": "\\n", "\r": "\\r", "\t": "\\t"}.get(char, char)


class Rewriter:
    def __init__(self, text, name):
        self.text = text
        self.name = name
        self.out = []
        self.at = 0

    def fail(self, message):
        line = self.text.count("\n", 0, self.at) + 1
        raise SystemExit("%s:%d: %s" % (self.name, line, message))

    def run(self):
        text = self.text
        while self.at < len(text):
            c = text[self.at]
            if text.startswith("//", self.at):
                end = text.find("\n", self.at)
                self.copy_to(len(text) if end < 0 else end)
            elif text.startswith("/*", self.at):
                end = text.find("*/", self.at + 2)
                if end < 0:
                    self.fail("unterminated comment")
                self.copy_to(end + 2)
            elif is_ident_start(c):
                start = self.at
                while self.at < len(text) and is_ident_char(text[self.at]):
                    self.at += 1
                word = text[start:self.at]
                if self.at < len(text) and text[self.at] in "\"'" and word in PREFIXES:
                    self.literal(word)
                else:
                    self.out.append(word)
            elif c.isdigit() or (c == "." and self.at + 1 < len(text) and text[self.at + 1].isdigit()):
                self.number()
            elif c in "\"'":
                self.literal("")
            else:
                self.out.append(c)
                self.at += 1
        return "".join(self.out)

    def copy_to(self, end):
        self.out.append(self.text[self.at:end])
        self.at = end

    def number(self):
        # A preprocessing number, digit separators (1'000) included.
        text = self.text
        start = self.at
        self.at += 1
        while self.at < len(text):
            c = text[self.at]
            if c in "eEpP" and self.at + 1 < len(text) and text[self.at + 1] in "+-":
                self.at += 2
            elif c == "'" and self.at + 1 < len(text) and (text[self.at + 1].isalnum() or text[self.at + 1] == "_"):
                self.at += 2
            elif c.isalnum() or c in "._":
                self.at += 1
            else:
                break
        self.out.append(text[start:self.at])

    def literal(self, prefix):
        text = self.text
        quote = text[self.at]
        if prefix.endswith("R") and quote == '"':
            self.raw_literal(prefix)
            return
        start = self.at
        self.at += 1
        body = []
        while True:
            if self.at >= len(text) or text[self.at] == "\n":
                self.fail("unterminated literal")
            c = text[self.at]
            if c == "\\" and prefix in NARROW and text[self.at + 1:self.at + 2] in ("u", "U"):
                # A universal character name goes to the execution character
                # set too.
                digits = 4 if text[self.at + 1] == "u" else 8
                code = text[self.at + 2:self.at + 2 + digits]
                if len(code) != digits or any(d not in "0123456789abcdefABCDEF" for d in code):
                    self.fail("bad universal character name")
                body.append(octal(chr(int(code, 16))))
                self.at += 2 + digits
                continue
            if c == "\\":
                body.append(text[self.at:self.at + 2])
                self.at += 2
                continue
            self.at += 1
            if c == quote:
                break
            if ord(c) >= 0x80 and prefix in NARROW:
                if quote == "'":
                    self.fail("a non-ASCII character literal has no GBK form here")
                body.append(octal(c))
            else:
                body.append(c)
        if prefix not in NARROW:
            self.out.append(prefix + text[start:self.at])
        else:
            self.out.append(prefix + quote + "".join(body) + quote)

    def raw_literal(self, prefix):
        text = self.text
        open_paren = text.find("(", self.at)
        if open_paren < 0:
            self.fail("raw literal without '('")
        delimiter = text[self.at + 1:open_paren]
        close = text.find(")" + delimiter + '"', open_paren)
        if close < 0:
            self.fail("unterminated raw literal")
        content = text[open_paren + 1:close]
        end = close + len(delimiter) + 2
        if prefix == "R" and any(ord(c) >= 0x80 for c in content):
            # A raw literal cannot hold escapes: it becomes an ordinary one.
            pieces = [octal(c) if ord(c) >= 0x80 else escaped_ascii(c) for c in content]
            self.out.append('"' + "".join(pieces) + '"')
            # Keep the line count, so the #line numbering stays right.
            self.out.append("\n" * content.count("\n"))
        else:
            self.out.append(prefix + text[self.at:end])
        self.at = end


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    rewritten = Rewriter(text, source).run()
    line = '#line 1 "%s"\n' % os.path.abspath(source).replace("\\", "\\\\")
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    temporary = output + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="") as f:
        f.write(line + rewritten)
    os.replace(temporary, output)


if __name__ == "__main__":
    main()
