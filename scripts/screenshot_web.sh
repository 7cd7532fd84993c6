#!/usr/bin/env bash
# Takes screenshots of the browser page in headless chromium: the window as it
# opens into docs/screenshot-web.png, and, given a folder, also the window
# after a list run and the choice that 输出ISBN offers, into that folder.
# Builds the page first.
#
# Usage: scripts/screenshot_web.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web --target page >/dev/null
node - "${1:-}" <<'SCRIPT'
const { launch, openPage } = require('./ui/web/tests/page_harness.js');
(async () => {
  const folder = process.argv[2];
  const browser = await launch();
  const p = await openPage(browser);
  await p.page.setViewportSize({ width: 440, height: 330 });
  await p.page.screenshot({ path: 'docs/screenshot-web.png' });
  if (folder) {
    p.files.answers.push(p.write('清单.txt', '7-111-12345-X\n9787111123457\n'));
    await p.page.click('#Command1');
    await p.page.click('#Command2');
    await p.page.screenshot({ path: `${folder}/web-output-choice.png` });
    p.files.answers.push(p.folder);
    await p.answer('新文件');
    await p.answer('确定');
    await p.page.fill('#Text3', '7-111-12345-X');
    await p.page.click('#Command5');
    await p.page.click('#Command3');
    await p.waitForMessage();
    await p.page.screenshot({ path: `${folder}/web-done.png` });
  }
  await p.close();
  await browser.close();
})();
SCRIPT
