// The browser page in Debian's chromium: its window, one number, and list
// runs through the File System Access stub and through a download.
'use strict';

const assert = require('assert/strict');
const fs = require('fs');
const http = require('http');
const { after, before, test } = require('node:test');
const { launch, openPage, pagePath } = require('./page_harness.js');

const kCompleted = { title: '温馨提示', text: '恭喜，Ledora转换完成！' };
const kFailed = { title: '温馨提示', text: '对不起，出现意外错误，请检查数据！' };

let browser;
before(async () => {
  browser = await launch();
});
after(() => browser.close());

// A page for one test, closed when the test ends.
async function withPage(t, options) {
  const page = await openPage(browser, options);
  t.after(() => page.close());
  return page;
}

// Chooses input and output through the stub's pickers: the output an
// existing file, or a new one named in a folder.
async function choose(p, input, output, { existing = true } = {}) {
  p.files.answers.push(input);
  await p.page.click('#Command1');
  await p.page.waitForFunction((name) => Text1.value === name, input.split('/').pop());
  await p.page.click('#Command2');
  if (existing) {
    p.files.answers.push(output);
    await p.answer('已有文件');
  } else {
    p.files.answers.push(p.folder);
    await p.answer('新文件');
    await p.page.fill('.message-name', output);
    await p.answer('确定');
  }
  await p.page.waitForFunction(() => Text2.value !== '');
}

async function startAndWait(p) {
  await p.page.click('#Command3');
  return p.waitForMessage();
}

test('the window opens in its design state', async (t) => {
  const p = await withPage(t);
  const state = await p.page.evaluate(() => {
    const box = (id) => {
      const form = ConvertForm.getBoundingClientRect();
      const r = document.getElementById(id).getBoundingClientRect();
      return [r.left - form.left, r.top - form.top, r.width, r.height];
    };
    return {
      title: document.title,
      form: box('ConvertForm').slice(2),
      formBackground: getComputedStyle(ConvertForm).backgroundColor,
      places: ['Frame1', 'Text1', 'Command1', 'Text2', 'Command2', 'Option1Box', 'Option2Box',
        'Command3', 'Command4', 'Text3', 'Command5', 'Text4', 'Label3', 'Line1'].map(box),
      captions: ['Frame1', 'Command1', 'Command2', 'Option1Box', 'Option2Box', 'Command3',
        'Command4', 'Command5', 'Label3'].map((id) => document.getElementById(id).textContent),
      label2: [Label2.hidden, Label2.textContent],
      options: [Option1.checked, Option2.checked],
      boxes: [Text1.value, Text2.value, Text3.value, Text4.value],
      focus: document.activeElement.id,
      fonts: [getComputedStyle(Command1).fontSize,
        getComputedStyle(document.querySelector('.frame-caption')).fontSize,
        getComputedStyle(document.querySelector('.frame-caption')).fontStyle],
    };
  });
  assert.deepEqual(state, {
    title: 'Morvane',
    form: [362, 247],
    formBackground: 'rgb(255, 255, 255)',
    places: [[0, 0, 361, 133], [4, 20, 269, 21], [284, 20, 65, 21], [4, 44, 269, 21],
      [284, 44, 65, 21], [16, 80, 105, 17], [136, 80, 81, 17], [224, 96, 61, 25],
      [288, 96, 61, 25], [28, 144, 197, 25], [240, 144, 81, 57], [28, 176, 197, 25],
      [56, 224, 221, 17], [4, 76, 352, 1]],
    captions: ['输入输出选项', '选择ISBN', '输出ISBN', '（13位）978-7', '（10位）7-', '开始(S)',
      '退出(X)', '转换', '书号分段依据：国际ISBN中心'],
    label2: [true, ' 已处理：？条'],
    options: [true, false],
    boxes: ['', '', '', ''],
    focus: 'Command1',
    fonts: ['12px', '14px', 'italic'],
  });
  // The Tab order, wrapping from Command5 to Command1, and back with Shift.
  const order = [];
  for (let i = 0; i < 10; ++i) {
    await p.page.keyboard.press('Tab');
    order.push(await p.page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, ['Text2', 'Command2', 'Text1', 'Command3', 'Command4', 'Option1',
    'Text3', 'Text4', 'Command5', 'Command1']);
  await p.page.keyboard.press('Shift+Tab');
  assert.equal(await p.page.evaluate(() => document.activeElement.id), 'Command5');

  // Without 宋体 and SimSun, as here, the window's texts take the page's own
  // Song face, and what the user types keeps the system's fonts.
  await p.page.fill('#Text3', '7-111-12345-X');
  const cdp = await p.page.context().newCDPSession(p.page);
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const root = (await cdp.send('DOM.getDocument')).root.nodeId;
  const faces = [];
  for (const selector of ['#Command1', '#Option1Box', '.frame-caption', '#Label3', '#Text3']) {
    const node = await cdp.send('DOM.querySelector', { nodeId: root, selector });
    const used = await cdp.send('CSS.getPlatformFontsForNode', { nodeId: node.nodeId });
    faces.push(used.fonts.map((font) => font.familyName).includes('Morvane Song'));
  }
  assert.deepEqual(faces, [true, true, true, true, false]);

  // Label3 opens the ranges page in a tab of its own (not loaded here).
  await p.page.context().route(/^https?:/, (route) => route.fulfill({ body: '' }));
  const tab = p.page.context().waitForEvent('page');
  await p.page.click('#Label3');
  assert.equal((await tab).url(), 'https://www.isbn-international.org/range_file_generation');
});

test('one number converts in the style selected', async (t) => {
  const p = await withPage(t);
  const cases = [
    ['7-111-12345-X', '13', '978-7-111-12345-3'],
    ['7-111-12345-X', '10', '7-111-12345-X'],
    ['9787111123457', '13', '978-7-111-12345-3'],
    ['  9787111123457  ', '13', '978-7-111-12345-3'],
    ['9789574312344', '13', '978-9574312344'],
    ['7-111-1a345-X', '13', ''],
    ['', '10', ''],
  ];
  for (const [number, style, result] of cases) {
    await p.page.fill('#Text4', 'old result');
    await p.page.fill('#Text3', number);
    await p.page.check(style === '13' ? '#Option1' : '#Option2');
    // Neither the style nor Enter converts: only Command5 does.
    await p.page.press('#Text3', 'Enter');
    assert.equal(await p.page.inputValue('#Text4'), 'old result');
    await p.page.click('#Command5');
    await p.page.waitForFunction(() => Text4.value !== 'old result');
    assert.equal(await p.page.inputValue('#Text4'), result, number);
  }
});

test('a list is appended to an existing output, whose bytes stay', async (t) => {
  const p = await withPage(t);
  // GBK: 中华人民共和国 (7 characters), kept byte for byte; then 中文 and a digit
  // (3 characters in 5 bytes), no record; UTF-8 中文书名12 (6 characters).
  const gbk = Buffer.from('d6d0bbaac8cbc3f1b9b2bacdb9fa', 'hex');
  const input = Buffer.concat([Buffer.from('7-111-12345-X\r\n  '), gbk,
    Buffer.from('  \r\n'), Buffer.from('d6d0cec431', 'hex'), Buffer.from('\n12345\n中文书名12\r9787111123457')]);
  const old = Buffer.from('old line\r\n');
  const inPath = p.write('in.txt', input);
  const outPath = p.write('out.txt', old);
  await choose(p, inPath, outPath);
  // Alt+S starts the run from wherever the focus is.
  await p.page.focus('#Text3');
  await p.page.keyboard.press('Alt+S');
  assert.deepEqual(await p.waitForMessage(), kCompleted);
  // The lines are in the file by the time the message shows.
  assert.deepEqual(p.read('out.txt'), Buffer.concat([old, Buffer.from('978-7-111-12345-3\r\n'), gbk,
    Buffer.from('\r\n中文书名12\r\n978-7-111-12345-3\r\n')]));
  assert.equal(await p.page.textContent('#Label2'), '已处理：4条！');
  assert.equal(await p.page.isVisible('#Label2'), true);
  assert.deepEqual(fs.readdirSync(p.folder).sort(), ['in.txt', 'out.txt']);
});

test('a new output file is made in the chosen folder at the first record', async (t) => {
  const p = await withPage(t);
  await choose(p, p.write('in.txt', '7-111-12345-X\n'), '结果.txt', { existing: false });
  await p.page.check('#Option2');
  assert.deepEqual(await startAndWait(p), kCompleted);
  assert.equal(p.read('结果.txt').toString(), '7-111-12345-X\r\n');

  // A run without records makes no file.
  await p.answer('确定');
  await choose(p, p.write('empty.txt', '12345\n'), '没有.txt', { existing: false });
  assert.deepEqual(await startAndWait(p), kCompleted);
  assert.equal(fs.existsSync(p.file('没有.txt')), false);
});

test('each failure shows the error message and leaves the output whole', async (t) => {
  const longest = 16 * 1024 * 1024;
  const cases = [
    { why: 'write permission refused', set: (p) => p.files.denied.add(p.file('out.txt')),
      output: 'old\r\n' },
    { why: 'the input gone since it was chosen', set: (p) => fs.rmSync(p.file('in.txt')),
      output: 'old\r\n' },
    { why: 'the output gone since it was chosen', set: (p) => fs.rmSync(p.file('out.txt')),
      output: null },
    { why: 'a line over 16 MiB', input: '7-111-12345-X\n' + '7'.repeat(longest + 1),
      output: 'old\r\n978-7-111-12345-3\r\n' },
    { why: 'a read that fails after the first chunk', input: '7-111-12345-X\n'.repeat(400000),
      set: (p) => p.files.failsAfter.set(p.file('in.txt'), 1), output: 'counted' },
    { why: 'the output is the input', sameFile: true, output: null },
  ];
  for (const c of cases) {
    const p = await withPage(t);
    const inPath = p.write('in.txt', c.input || '7-111-12345-X\n');
    const outPath = c.sameFile ? inPath : p.write('out.txt', 'old\r\n');
    await choose(p, inPath, outPath);
    if (c.set) c.set(p);
    assert.deepEqual(await startAndWait(p), kFailed, c.why);
    if (c.sameFile) assert.equal(p.read('in.txt').toString(), '7-111-12345-X\n', c.why);
    // What the output holds: the records written before the failure, which
    // Label2 counts.
    const counted = Number(((await p.page.textContent('#Label2')).match(/\d+/) || ['0'])[0]);
    const output = c.output === 'counted' ? 'old\r\n' + '978-7-111-12345-3\r\n'.repeat(counted)
      : c.output;
    if (c.output === 'counted') assert.ok(counted > 0, c.why);
    if (output !== null) assert.equal(p.read('out.txt').toString(), output, c.why);
    assert.equal(fs.readdirSync(p.folder).some((name) => name.endsWith('.crswap')), false, c.why);
  }
});

test('Yes to the exit question during a run keeps the counted records, then ends the page',
  async (t) => {
    const p = await withPage(t);
    const lines = 1200000;
    await choose(p, p.write('in.txt', '7-111-12345-X\r\n'.repeat(lines)), p.write('out.txt', ''));
    p.files.writeDelay = 400;
    await p.page.click('#Command3');
    await p.page.waitForFunction(() => Label2.textContent.startsWith('已处理'));
    await p.page.keyboard.press('Alt+X');
    assert.equal((await p.waitForMessage()).text, '确定退出该工具吗？（Y/N）');
    // N goes on; the run waits while the question is shown, once the write
    // it was in has ended.
    await p.page.keyboard.press('n');
    await p.page.keyboard.press('Alt+X');
    await p.waitForMessage();
    // Until the write the run was in has ended and been counted.
    let counted = -1;
    for (let last = -2; counted !== last; await p.page.waitForTimeout(500)) {
      last = counted;
      counted = Number((await p.page.textContent('#Label2')).match(/\d+/)[0]);
    }
    assert.ok(counted > 0 && counted < lines, String(counted));
    const ended = p.page.waitForEvent('close').catch(() => {});
    await p.page.keyboard.press('Enter');
    await Promise.race([ended,
      p.page.waitForFunction(() => document.body.childElementCount === 0).catch(() => {})]);
    assert.equal(p.read('out.txt').toString(), '978-7-111-12345-3\r\n'.repeat(counted));
  });

test('without the File System Access API the output is a download of old and new', async (t) => {
  const p = await withPage(t, { writes: false });
  const choosePicked = async (button, file) => {
    const chooser = p.page.waitForEvent('filechooser');
    await button();
    await (await chooser).setFiles(file);
  };
  await choosePicked(() => p.page.click('#Command1'), p.write('in.txt', '7-111-12345-X\n123456\n'));
  await p.page.click('#Command2');
  await choosePicked(() => p.answer('已有文件'), p.write('old.txt', 'old\r\n'));
  await p.page.waitForFunction(() => Text2.value === 'old.txt');
  const download = p.page.waitForEvent('download');
  assert.deepEqual(await startAndWait(p), kCompleted);
  const saved = await (await download).path();
  assert.equal((await download).suggestedFilename(), 'old.txt');
  assert.equal(fs.readFileSync(saved).toString(), 'old\r\n978-7-111-12345-3\r\n123456\r\n');
  assert.equal(p.read('old.txt').toString(), 'old\r\n');
});

test('the page makes no request, from a file or a web server', async (t) => {
  const server = http.createServer((request, response) => {
    response.setHeader('Content-Type', 'text/html; charset=utf-8');
    response.end(request.url === '/' ? fs.readFileSync(pagePath) : '');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  t.after(() => server.close());
  for (const url of ['file://' + pagePath, `http://127.0.0.1:${server.address().port}/`]) {
    const p = await withPage(t, { url });
    await p.page.fill('#Text3', '7-111-12345-X');
    await p.page.click('#Command5');
    await p.page.waitForFunction(() => Text4.value !== '');
    await p.page.waitForTimeout(200);
    assert.deepEqual(p.requests, [url]);
    assert.deepEqual(p.errors, []);
  }
});
