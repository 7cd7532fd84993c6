// The browser page's list run in Debian's chromium (headless), through the
// File System Access API for real: the input a file on the disk, the output
// a new file of the origin's private file system, written through the
// browser's own writable stream. Beside it, in the same run, the same list
// through the npm package isbn3 in node, and, where a Qt window benchmark
// is given, through the Qt program's window. Then the peak memory of the page
// (JS heap, array buffers and the WebAssembly memory) while it converts a
// 1 GiB list, above that of the idle page.
//
// Usage: node bench/web_bench.js [LINES] [QT_WINDOW_BENCH]   (after the web
// build and scripts/deps.sh web; QT_WINDOW_BENCH is build/release/bench/
// window_bench, run on its own Xvfb)
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { launch, pagePath } = require('../ui/web/tests/page_harness.js');
const ISBN = require('../ui/web/tests/node_modules/isbn3');

const lines = Number(process.argv[2] || 3000000);
const qtBench = process.argv[3];
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'morvane-web-bench-'));

// A list as the counter sees it: scanned barcodes and typed ISBN-13 and
// ISBN-10, with and without hyphens, of group 7 and the others, with spaces,
// their check digits right as scanners give them; and lines of junk.
function ean13(digits12) {
  let sum = 0;
  for (let i = 0; i < 12; ++i) sum += Number(digits12[i]) * (i % 2 ? 3 : 1);
  return digits12 + ((10 - (sum % 10)) % 10);
}
function isbn10(body) {
  let sum = 0;
  for (let i = 0; i < 9; ++i) sum += Number(body[i]) * (10 - i);
  const check = (11 - (sum % 11)) % 11;
  return body + (check === 10 ? 'X' : String(check));
}
function writeList(file, count) {
  const kinds = [
    (b) => ean13('978' + b),
    (b) => { const n = ean13('978' + b); return `978-${n[3]}-${n.slice(4, 7)}-${n.slice(7, 12)}-${n[12]}`; },
    (b) => { const n = isbn10(b); return `${n[0]}-${n.slice(1, 4)}-${n.slice(4, 9)}-${n[9]}`; },
    (b) => ` ${ean13('978' + b)} `,
    (b) => ean13('978957' + b.slice(3)),
    (b) => ean13('9789629' + b.slice(4)),
    () => '书名：没有书号', () => '12345',
  ];
  const fd = fs.openSync(file, 'w');
  let text = '';
  for (let i = 0; i < count; ++i) {
    const body = '7' + String(100000000 + ((i * 7919) % 100000000)).slice(1, 9);
    text += kinds[i % kinds.length](body) + '\r\n';
    if (text.length > 1 << 20) {
      fs.writeSync(fd, text);
      text = '';
    }
  }
  fs.writeSync(fd, text);
  fs.closeSync(fd);
}

// The page, served from this machine, with pickers that answer with the
// list on the disk and the origin's private folder.
async function openBenchPage(browser, server) {
  const page = await browser.newPage();
  await page.addInitScript(() => {
    // Keeps the module the page makes, to read its memory's size.
    let create;
    Object.defineProperty(window, 'createMorvaneEngine', {
      get: () => create,
      set: (made) => {
        create = (...args) => made(...args).then((engine) => {
          window.benchEngine = engine;
          return engine;
        });
      },
    });
    const list = () => document.getElementById('benchList').files[0];
    window.showOpenFilePicker = async () => [{
      kind: 'file', name: list().name, getFile: async () => list(), isSameEntry: async () => false,
    }];
    window.showDirectoryPicker = () => navigator.storage.getDirectory();
  });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.evaluate(() => {
    const input = document.createElement('input');
    input.type = 'file';
    input.id = 'benchList';
    input.hidden = true;
    document.body.appendChild(input);
  });
  return page;
}

async function pageRun(page, list, outputName, sample) {
  await page.setInputFiles('#benchList', list);
  await page.click('#Command1');
  await page.click('#Command2');
  await page.locator('.message-buttons button', { hasText: '新文件' }).click();
  await page.fill('.message-name', outputName);
  await page.locator('.message-buttons button', { hasText: '确定' }).click();
  await page.waitForFunction((name) => Text2.value === name, outputName);
  const start = Date.now();
  await page.click('#Command3');
  let peak = 0;
  const message = page.locator('.message-box');
  while (!(await message.isVisible())) {
    if (sample) peak = Math.max(peak, await sample());
    await page.waitForTimeout(sample ? 50 : 5);
  }
  const ms = Date.now() - start;
  const text = await message.locator('.message-text').innerText();
  await page.locator('.message-buttons button').click();
  const outputBytes = await page.evaluate(async (name) =>
    (await (await (await navigator.storage.getDirectory()).getFileHandle(name)).getFile()).size,
  outputName);
  return { ms, text, label2: await page.textContent('#Label2'), outputBytes, peak };
}

function isbn3Run(list) {
  const start = Date.now();
  let converted = 0;
  for (const line of fs.readFileSync(list, 'latin1').split('\r\n')) {
    if (line.trim().length <= 5) continue;
    const parsed = ISBN.parse(line.trim());
    if (parsed && parsed.isValid) converted += parsed.isbn13h.length > 0;
  }
  return { ms: Date.now() - start, converted };
}

function qtRun(list) {
  const out = execFileSync(path.resolve(__dirname, '../tools/display/with_xvfb.sh'),
    [qtBench, '--benchmark_filter=WindowRun/sync:1', '--benchmark_format=json'],
    { env: { ...process.env, MORVANE_BENCH_LIST: list }, encoding: 'utf8' });
  const run = JSON.parse(out.slice(out.indexOf('{'))).benchmarks[0];
  return { ms: Math.round(run.real_time), records: run.records };
}

(async () => {
  const server = http.createServer((request, response) => {
    response.setHeader('Content-Type', 'text/html; charset=utf-8');
    response.end(request.url === '/' ? fs.readFileSync(pagePath) : '');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await launch();
  try {
    const list = path.join(folder, 'list.txt');
    writeList(list, lines);
    console.log(`${lines} lines, ${fs.statSync(list).size} bytes`);

    const page = await openBenchPage(browser, server);
    await pageRun(page, list, 'warm-up.txt');
    const web = await pageRun(page, list, 'out.txt');
    console.log(`page in chromium: ${web.ms} ms, ${web.label2}, ${web.outputBytes} bytes out, ${web.text}`);
    const yardstick = isbn3Run(list);
    console.log(`isbn3 in node: ${yardstick.ms} ms (${yardstick.converted} hyphenated): ` +
      `the page is ${(yardstick.ms / web.ms).toFixed(1)}x as fast`);
    if (qtBench) {
      const qt = qtRun(list);
      console.log(`Qt window: ${qt.ms} ms (${qt.records} records): ` +
        `the page takes ${(web.ms / qt.ms).toFixed(2)}x its time`);
    }
    await page.close();

    // Memory: a 1 GiB list, sampled every 50 ms, against the idle page.
    const big = path.join(folder, 'big.txt');
    writeList(big, Math.ceil((1 << 30) / 16));
    const memoryPage = await openBenchPage(browser, server);
    const cdp = await memoryPage.context().newCDPSession(memoryPage);
    const used = async () => {
      const usage = await cdp.send('Runtime.getHeapUsage');
      const wasm = await memoryPage.evaluate(() => window.benchEngine.HEAPU8.length);
      return usage.usedSize + (usage.backingStorageSize || 0) + wasm;
    };
    await memoryPage.fill('#Text3', '7-111-12345-X');
    await memoryPage.click('#Command5');
    await cdp.send('HeapProfiler.collectGarbage');
    const idle = await used();
    const run = await pageRun(memoryPage, big, 'big-out.txt', used);
    const mib = (bytes) => (bytes / (1 << 20)).toFixed(1);
    console.log(`1 GiB list (${fs.statSync(big).size} bytes): ${run.ms} ms, ${run.label2}; ` +
      `JS heap + array buffers: idle ${mib(idle)} MiB, peak ${mib(run.peak)} MiB, ` +
      `${mib(run.peak - idle)} MiB above idle`);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
})();
