#!/usr/bin/env python3
"""Makes the one-file page: the template with its styles, its scripts (the
WebAssembly module inside one of them), its icons and the window's Song face
put in, and a Content-Security-Policy that lets in exactly those scripts and
styles and nothing from anywhere else.

usage: make_page.py TEMPLATE STYLE SCRIPT ENGINE ICON16 ICON32 FONT FONT_LICENSE OUTPUT
"""
import base64
import hashlib
import re
import sys


def read(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def data_url(path, kind):
    with open(path, "rb") as file:
        return "data:%s;base64,%s" % (kind, base64.b64encode(file.read()).decode("ascii"))


def source_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-%s'" % base64.b64encode(digest).decode("ascii")


def main(template, style, script, engine, icon16, icon32, font, font_license, output):
    # The Song face, for the window's texts where the system has no 宋体.
    face = ('@font-face { font-family: "Morvane Song"; src: url(%s) format("opentype"); }\n'
            % data_url(font, "font/otf"))
    parts = {
        "STYLE": face + read(style),
        "SCRIPT": read(script),
        "ENGINE": read(engine),
        "ICON16": data_url(icon16, "image/png"),
        "ICON32": data_url(icon32, "image/png"),
        # The face's license goes with it, as a comment at the page's head.
        "FONT_LICENSE": read(font_license).replace("-->", "- ->").replace("<!--", "< !--"),
    }
    for name in ("STYLE", "SCRIPT", "ENGINE"):
        if re.search(r"</(script|style)", parts[name], re.IGNORECASE):
            sys.exit("%s would end its element early" % name)
    # WebAssembly is compiled under 'wasm-unsafe-eval' where the browser
    # knows it, and under 'unsafe-eval' in those before it (Chromium 80 to 96).
    parts["CSP"] = "; ".join([
        "default-src 'none'",
        "script-src %s %s 'unsafe-eval' 'wasm-unsafe-eval'"
        % (source_hash(parts["ENGINE"]), source_hash(parts["SCRIPT"])),
        "style-src %s" % source_hash(parts["STYLE"]),
        "img-src data: blob:",
        "font-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = re.sub(r"@(CSP|STYLE|SCRIPT|ENGINE|ICON16|ICON32|FONT_LICENSE)@",
                  lambda match: parts[match.group(1)], read(template))
    with open(output, "w", encoding="utf-8", newline="\n") as file:
        file.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 10:
        sys.exit(__doc__)
    main(*sys.argv[1:])
