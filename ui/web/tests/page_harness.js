// Opens the page in Debian's chromium, headless, for the tests and the
// benchmark: with the File System Access stub (file_stub.js), whose files
// node keeps here, or with the browser's file functions removed.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const pagePath = process.env.MORVANE_PAGE ||
  path.resolve(__dirname, '../../../build/web/morvane.html');
const stubSource = fs.readFileSync(path.join(__dirname, 'file_stub.js'), 'utf8');

// Flags that keep Chromium from reaching out: this machine has no network.
const kChromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-features=Translate,MediaRouter,OptimizationHints'];

function launch() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: kChromiumArgs });
}

// The real files of the stub's handles: reads, swap files that replace
// their file on close, the answers of the pickers and the permissions.
class StubFiles {
  constructor() {
    this.answers = [];
    this.denied = new Set();
    this.failsAfter = new Map();
    this.streams = new Map();
    this.nextId = 1;
    this.writeDelay = 0;  // milliseconds each write takes, for a run that lasts
  }

  call(operation, ...args) {
    switch (operation) {
      case 'pick':
        return this.answers.length > 0 ? this.answers.shift() : null;
      case 'permission':
        return this.denied.has(args[0]) ? 'denied' : 'granted';
      case 'same':
        return fs.existsSync(args[0]) && fs.existsSync(args[1]) &&
          fs.realpathSync(args[0]) === fs.realpathSync(args[1]);
      case 'exists':
        return fs.existsSync(args[0]);
      case 'create':
        fs.writeFileSync(args[0], '', { flag: 'a' });
        return null;
      case 'read':
        if (!fs.existsSync(args[0])) return null;
        return { bytes: fs.readFileSync(args[0]).toString('base64'),
          failsAfter: this.failsAfter.get(args[0]) || 0 };
      case 'open': {
        const [file, keep] = args;
        if (!fs.existsSync(file)) return null;
        const swap = file + '.crswap';
        fs.writeFileSync(swap, keep ? fs.readFileSync(file) : Buffer.alloc(0));
        const id = this.nextId++;
        this.streams.set(id, { file, swap, at: 0 });
        return id;
      }
      case 'seek':
        this.streams.get(args[0]).at = args[1];
        return null;
      case 'write': {
        const stream = this.streams.get(args[0]);
        const bytes = Buffer.from(args[1], 'base64');
        const fd = fs.openSync(stream.swap, 'r+');
        fs.writeSync(fd, bytes, 0, bytes.length, stream.at);
        fs.closeSync(fd);
        stream.at += bytes.length;
        return new Promise((resolve) => setTimeout(() => resolve(null), this.writeDelay));
      }
      case 'close': {
        const stream = this.streams.get(args[0]);
        fs.renameSync(stream.swap, stream.file);
        this.streams.delete(args[0]);
        return null;
      }
      case 'abort': {
        const stream = this.streams.get(args[0]);
        fs.rmSync(stream.swap, { force: true });
        this.streams.delete(args[0]);
        return null;
      }
      default:
        throw new Error('no stub operation ' + operation);
    }
  }
}

// A page of the browser, its folder of files, and what the tests ask of it.
// writes: whether the browser has the File System Access API (the stub).
async function openPage(browser, { writes = true, url = 'file://' + pagePath } = {}) {
  const context = await browser.newContext({ acceptDownloads: true });
  const page = await context.newPage();
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'morvane-page-'));
  const files = new StubFiles();
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  if (writes) {
    await page.exposeBinding('stubFiles', (source, ...args) => files.call(...args));
    await page.addInitScript(stubSource);
  } else {
    await page.addInitScript(() => {
      delete window.showOpenFilePicker;
      delete window.showSaveFilePicker;
      delete window.showDirectoryPicker;
    });
  }
  await page.goto(url);
  return {
    page, files, folder, requests, errors,
    file: (name) => path.join(folder, name),
    write(name, bytes) {
      fs.writeFileSync(this.file(name), bytes);
      return this.file(name);
    },
    read(name) {
      return fs.readFileSync(this.file(name));
    },
    // The message box shown, as { title, text }, or null.
    async message() {
      const box = page.locator('.message-box');
      if ((await box.count()) === 0) return null;
      return { title: await box.locator('.title-bar').innerText(),
        text: await box.locator('.message-text').innerText() };
    },
    async waitForMessage() {
      await page.locator('.message-box').waitFor();
      return this.message();
    },
    async answer(caption) {
      await page.locator('.message-buttons button', { hasText: caption }).click();
    },
    async close() {
      await context.close();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

module.exports = { launch, openPage, pagePath };
