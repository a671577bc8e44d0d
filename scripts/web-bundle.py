#!/usr/bin/env python3
"""Writes manifest.json (the files the page on a web server fetches) and quorbel.html, the page
with everything inlined: the style, the program, the modules (as data: URLs in the import map),
and the assets as base64. Usage: web-bundle.py BUILD-WEB-FOLDER."""
import base64
import json
import pathlib
import sys

out = pathlib.Path(sys.argv[1])
assets = ['quorbel.wasm'] + sorted(
    str(path.relative_to(out)) for folder in ('data', 'fonts') for path in (out / folder).rglob('*') if path.is_file())
(out / 'manifest.json').write_text(json.dumps({'files': assets}, ensure_ascii=False, indent=1), encoding='utf-8')


def inline_script(text):
    return text.replace('</script', '<\\/script')


def data_url(path):
    return 'data:text/javascript;base64,' + base64.b64encode(path.read_bytes()).decode('ascii')


page = (out / 'index.html').read_text(encoding='utf-8')
modules = {f'quorbel/{path.name}': data_url(path) for path in sorted(out.glob('*.js')) if path.name != 'quorbel.js'}
encoded = {name: base64.b64encode((out / name).read_bytes()).decode('ascii') for name in assets}
replacements = {
    '<link rel="stylesheet" href="quorbel.css">': '<style>\n' + (out / 'quorbel.css').read_text(encoding='utf-8') + '</style>',
    '<script type="importmap">{ "imports": { "quorbel/": "./" } }</script>':
        '<script type="importmap">' + json.dumps({'imports': modules}) + '</script>',
    '<script src="quorbel.js"></script>':
        '<script>' + inline_script((out / 'quorbel.js').read_text(encoding='utf-8')) + '</script>\n'
        '<script>var QuorbelAssets = ' + json.dumps(encoded) + ';</script>',
    '<script type="module" src="main.js"></script>': '<script type="module">import "quorbel/main.js";</script>',
}
for old, new in replacements.items():
    if old not in page:
        sys.exit(f'web-bundle.py: index.html no longer has {old}')
    page = page.replace(old, new)
(out / 'quorbel.html').write_text(page, encoding='utf-8')
