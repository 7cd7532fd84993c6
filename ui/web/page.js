// The window of the browser page: its controls, its message boxes and the
// browser's files. Every conversion runs in the WebAssembly module; this
// script only moves text and bytes between it, the page and the files.
// Written to ECMAScript 2019, which the browsers of 2020 (Chromium 80,
// Firefox ESR 78) run.
'use strict';

(function () {
  const kMessageTitle = '温馨提示';
  const kCompletedText = '恭喜，Ledora转换完成！';
  const kFailedText = '对不起，出现意外错误，请检查数据！';
  const kExitTitle = '操作提示';
  const kExitText = '确定退出该工具吗？（Y/N）';
  const kCreditAddress = 'https://www.isbn-international.org/range_file_generation';
  const kOutputTitle = '保存ISBN文件';
  const kNewFileName = 'ISBN结果.txt';
  const kListTypes = [
    { description: '(*.txt)', accept: { 'text/plain': ['.txt'] } },
  ];
  // A pass reads and converts this much of the list, then lets the page
  // handle what the user did meanwhile.
  const kChunkBytes = 4 << 20;

  const byId = (id) => document.getElementById(id);
  const control = {};
  ['Command1', 'Command2', 'Command3', 'Command4', 'Command5', 'Text1', 'Text2', 'Text3',
    'Text4', 'Option1', 'Option2', 'Label2', 'Label3'].forEach((id) => {
    control[id] = byId(id);
  });

  // The browser writes files in place where it has the File System Access
  // API; elsewhere a run's output becomes a download.
  let writesFiles = typeof window.showOpenFilePicker === 'function' &&
    typeof window.showDirectoryPicker === 'function';

  // A picker that a policy refuses: the page goes on as where the browser
  // cannot write files. Any other failure is a cancelled picker.
  function pickerRefused(error) {
    if (!error || error.name !== 'SecurityError') return false;
    writesFiles = false;
    return true;
  }

  // ---- The WebAssembly module ----

  const engineReady = window.createMorvaneEngine();

  function lens() {
    return control.Option1.checked ? 13 : 10;
  }

  function withUtf8(engine, text, use) {
    const bytes = engine.lengthBytesUTF8(text);
    const pointer = engine._malloc(bytes + 1);
    try {
      engine.stringToUTF8(text, pointer, bytes + 1);
      return use(pointer, bytes);
    } finally {
      engine._free(pointer);
    }
  }

  async function convertSingle() {
    const engine = await engineReady;
    const number = control.Text3.value;
    control.Text4.value = withUtf8(engine, number, (pointer, bytes) =>
      engine.UTF8ToString(engine._morvane_convert(pointer, bytes, lens())));
  }

  // A list run in the module: bytes in, output records out.
  class ListConversion {
    constructor(engine) {
      this.engine = engine;
      this.list = engine._morvane_list_start();
    }

    // Converts the whole lines that bytes complete (or, with no bytes, the
    // last line) and returns their output records: { bytes, records }. The
    // bytes are a view of one of two buffers, which the calls take in turn:
    // one can be written out while the next chunk is converted. Throws on a
    // line longer than a list may hold.
    feed(bytes) {
      const engine = this.engine;
      if (bytes.length > 0) {
        engine.HEAPU8.set(bytes, engine._morvane_list_room(this.list, bytes.length));
      }
      if (engine._morvane_list_added(this.list, bytes.length, lens()) !== 0) {
        throw new Error('list line too long');
      }
      const at = engine._morvane_list_output(this.list);
      const size = engine._morvane_list_output_bytes(this.list);
      this.outputs = this.outputs || [new Uint8Array(0), new Uint8Array(0)];
      this.turn = 1 - (this.turn || 0);
      if (this.outputs[this.turn].length < size) this.outputs[this.turn] = new Uint8Array(size * 2);
      const output = this.outputs[this.turn];
      output.set(engine.HEAPU8.subarray(at, at + size));
      const records = engine._morvane_list_output_records(this.list);
      engine._morvane_list_taken(this.list);
      return { bytes: output.subarray(0, size), records };
    }

    end() {
      this.engine._morvane_list_end(this.list);
    }
  }

  // ---- Message boxes ----

  const modalLayer = byId('modalLayer');
  let modalOpen = null;  // the promise of the box shown, while one is
  let modalClosed = [];  // who waits for the boxes to go

  const kIcons = {
    information: '<svg class="message-icon" viewBox="0 0 32 32" aria-hidden="true">' +
      '<circle cx="16" cy="16" r="15" fill="#1c6fd1"/><rect x="14.5" y="13" width="3" height="11" fill="#fff"/>' +
      '<circle cx="16" cy="9" r="2" fill="#fff"/></svg>',
    error: '<svg class="message-icon" viewBox="0 0 32 32" aria-hidden="true">' +
      '<circle cx="16" cy="16" r="15" fill="#d92b2b"/>' +
      '<path d="M10.5 10.5l11 11M21.5 10.5l-11 11" stroke="#fff" stroke-width="3"/></svg>',
    question: '<svg class="message-icon" viewBox="0 0 32 32" aria-hidden="true">' +
      '<circle cx="16" cy="16" r="15" fill="#1c6fd1"/><text x="16" y="23" font-size="20" ' +
      'text-anchor="middle" fill="#fff" font-family="sans-serif">?</text></svg>',
  };

  // Shows a modal box and resolves to the answer of the button chosen.
  // buttons: [{ caption, answer, key }], the first the default; escape is the
  // answer of Esc, or null where Esc does nothing. field, when given, is the
  // initial text of a text box whose text comes with the answer.
  function messageBox(options) {
    const previousFocus = document.activeElement;
    const box = document.createElement('div');
    box.className = 'message-box';
    box.setAttribute('role', options.icon === 'error' ? 'alertdialog' : 'dialog');
    box.setAttribute('aria-modal', 'true');
    box.setAttribute('aria-label', options.title);
    box.innerHTML = '<div class="title-bar"><span class="title-text"></span></div>' +
      '<div class="message-body">' + kIcons[options.icon] +
      '<div class="message-main"><div class="message-text"></div></div></div>' +
      '<div class="message-buttons"></div>';
    box.querySelector('.title-text').textContent = options.title;
    box.querySelector('.message-text').textContent = options.text;
    let field = null;
    if (options.field !== undefined) {
      field = document.createElement('input');
      field.className = 'message-name box';
      field.value = options.field;
      box.querySelector('.message-main').appendChild(field);
    }
    const buttons = options.buttons.map((choice) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.innerHTML = choice.caption;
      box.querySelector('.message-buttons').appendChild(button);
      return button;
    });
    modalLayer.textContent = '';
    modalLayer.appendChild(box);
    modalLayer.hidden = false;

    modalOpen = new Promise((resolve) => {
      const answer = (value) => {
        modalLayer.hidden = true;
        modalLayer.textContent = '';
        document.removeEventListener('keydown', onKey, true);
        modalOpen = null;
        if (previousFocus && document.contains(previousFocus)) previousFocus.focus();
        resolve(field ? { answer: value, text: field.value } : value);
        const waiting = modalClosed;
        modalClosed = [];
        waiting.forEach((wake) => wake());
      };
      buttons.forEach((button, i) => {
        button.addEventListener('click', () => answer(options.buttons[i].answer));
      });
      // The box takes every key while it is shown.
      const onKey = (event) => {
        const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
        const named = options.buttons.findIndex((choice) => choice.key === key && !event.ctrlKey);
        if (named >= 0 && document.activeElement !== field) {
          event.preventDefault();
          answer(options.buttons[named].answer);
        } else if (key === 'Escape' && options.escape !== null) {
          event.preventDefault();
          answer(options.escape);
        } else if (key === 'Enter') {
          event.preventDefault();
          const focused = buttons.indexOf(document.activeElement);
          answer(options.buttons[focused >= 0 ? focused : 0].answer);
        } else if (key === 'Tab') {
          event.preventDefault();
          const order = (field ? [field] : []).concat(buttons);
          const at = order.indexOf(document.activeElement);
          const next = (at + (event.shiftKey ? order.length - 1 : 1)) % order.length;
          order[at < 0 ? 0 : next].focus();
        } else if (event.altKey || key === 'ArrowLeft' || key === 'ArrowRight') {
          event.preventDefault();
          if (key === 'ArrowLeft' || key === 'ArrowRight') {
            const at = Math.max(0, buttons.indexOf(document.activeElement));
            const step = key === 'ArrowLeft' ? buttons.length - 1 : 1;
            buttons[(at + step) % buttons.length].focus();
          }
        }
        event.stopPropagation();
      };
      document.addEventListener('keydown', onKey, true);
      (field || buttons[0]).focus();
      if (field) field.select();
    });
    return modalOpen;
  }

  const kOk = [{ caption: '确定', answer: 'ok', key: '' }];

  function showMessage(text, title, icon) {
    return messageBox({ text, title, icon, buttons: kOk, escape: 'ok' });
  }

  function runFailed() {
    return showMessage(kFailedText, kMessageTitle, 'error');
  }

  // Resolves once no message box is shown: a run waits while one is, as the
  // desktop run waits for the exit question.
  function noModal() {
    return modalOpen ? new Promise((resolve) => modalClosed.push(resolve)) : Promise.resolve();
  }

  // ---- The browser's files ----

  // Reads a file front to back in chunks of kChunkBytes, into one buffer
  // that every chunk uses again, where the browser reads files as byte
  // streams; elsewhere each chunk is a slice of its own.
  function chunkReader(file) {
    let reader = null;
    try {
      reader = typeof file.stream === 'function' ? file.stream().getReader({ mode: 'byob' }) : null;
    } catch (error) {
      reader = null;
    }
    if (!reader) {
      let at = 0;
      return () => {
        if (at >= file.size) return Promise.resolve(null);
        const slice = file.slice(at, at + kChunkBytes);
        at += kChunkBytes;
        if (typeof slice.arrayBuffer === 'function') {
          return slice.arrayBuffer().then((buffer) => new Uint8Array(buffer));
        }
        return new Promise((resolve, reject) => {
          const fileReader = new FileReader();
          fileReader.onload = () => resolve(new Uint8Array(fileReader.result));
          fileReader.onerror = () => reject(fileReader.error);
          fileReader.readAsArrayBuffer(slice);
        });
      };
    }
    let buffer = new ArrayBuffer(kChunkBytes);
    return async () => {
      let filled = 0;
      while (filled < buffer.byteLength) {
        const read = await reader.read(new Uint8Array(buffer, filled, buffer.byteLength - filled));
        if (read.value) buffer = read.value.buffer;
        if (read.done) break;
        filled += read.value.byteLength;
      }
      return filled > 0 ? new Uint8Array(buffer, 0, filled) : null;
    };
  }

  // What the choosers chose: the input list, and where the output goes.
  // Each has the name the text box shows; a run takes a choice only while
  // its box still shows that name.
  let inputChoice = null;
  let outputChoice = null;

  // The file picked through a file input, or null once the browser says
  // the picker was cancelled (older browsers never say so).
  function pickFromInput(input) {
    return new Promise((resolve) => {
      input.value = '';
      input.onchange = () => resolve(input.files && input.files[0] ? input.files[0] : null);
      input.oncancel = () => resolve(null);
      input.click();
    });
  }

  async function chooseInputFile() {
    try {
      if (writesFiles) {
        const [handle] = await window.showOpenFilePicker({ types: kListTypes });
        inputChoice = { name: handle.name, handle, file: () => handle.getFile() };
      } else {
        const file = await pickFromInput(byId('inputFile'));
        if (!file) return;
        inputChoice = { name: file.name, handle: null, file: () => Promise.resolve(file) };
      }
      control.Text1.value = inputChoice.name;
    } catch (error) {
      // A cancelled picker leaves the box as it was.
      if (pickerRefused(error)) await chooseInputFile();
    }
  }

  // A file's name as a folder can hold it.
  function validFileName(name) {
    return name !== '' && name !== '.' && name !== '..' && !/[\\/:*?"<>|\u0000-\u001f]/.test(name);
  }

  async function askNewFileName() {
    for (;;) {
      const reply = await messageBox({
        text: '新文件的名字：', title: kOutputTitle, icon: 'question', field: kNewFileName,
        buttons: [{ caption: '确定', answer: 'ok', key: '' }, { caption: '取消', answer: 'cancel', key: '' }],
        escape: 'cancel',
      });
      if (reply.answer !== 'ok') return null;
      const name = reply.text.trim();
      if (validFileName(name)) return name;
      await showMessage('文件名里不能有 \\ / : * ? " < > | 这些字符，也不能空着。', kOutputTitle, 'error');
    }
  }

  // The output is appended to an existing file or goes to a new one. An
  // existing file comes through the open picker, which leaves it as it is; a
  // new one is made in a chosen folder at the run's first record. (The save
  // picker would empty an existing file the moment it is chosen.)
  async function chooseOutputFile() {
    const how = await messageBox({
      text: writesFiles
        ? '转换结果追加到哪个文件？\n选“已有文件”，结果接在它原有的内容后面；\n选“新文件”，在您选的文件夹里新建一个。'
        : '转换结果追加到哪个文件？\n选“已有文件”，下载的文件里先是它原有的内容，后面接着转换结果；\n选“新文件”，下载的文件里只有转换结果。',
      title: kOutputTitle, icon: 'question',
      buttons: [
        { caption: '已有文件(<u>E</u>)…', answer: 'existing', key: 'e' },
        { caption: '新文件(<u>N</u>)…', answer: 'new', key: 'n' },
        { caption: '取消', answer: 'cancel', key: '' },
      ],
      escape: 'cancel',
    });
    try {
      if (how === 'existing') {
        if (writesFiles) {
          const [handle] = await window.showOpenFilePicker({ types: kListTypes });
          outputChoice = existingOutput(handle);
        } else {
          const file = await pickFromInput(byId('outputFile'));
          if (!file) return;
          outputChoice = { name: file.name, old: file };
        }
      } else if (how === 'new') {
        const name = await askNewFileName();
        if (!name) return;
        outputChoice = writesFiles ? newOutput(await window.showDirectoryPicker(), name)
          : { name, old: null };
      } else {
        return;
      }
      control.Text2.value = outputChoice.name;
    } catch (error) {
      // A cancelled picker leaves the box as it was.
      if (pickerRefused(error)) await chooseOutputFile();
    }
  }

  async function writable(handle) {
    const mode = { mode: 'readwrite' };
    return (await handle.queryPermission(mode)) === 'granted' ||
      (await handle.requestPermission(mode)) === 'granted';
  }

  // Appends through one writable stream, which the browser writes to a copy
  // and puts in the file's place only when it is closed: a tab closed before
  // leaves the file as it was.
  async function appendTo(handle) {
    const size = (await handle.getFile()).size;
    const stream = await handle.createWritable({ keepExistingData: true });
    await stream.seek(size);
    return {
      write: (bytes) => stream.write(bytes),
      close: () => stream.close(),
      abort: () => stream.abort(),
    };
  }

  function existingOutput(handle) {
    return {
      name: handle.name,
      permit: () => writable(handle),
      isInput: (input) => input.handle ? handle.isSameEntry(input.handle) : false,
      open: () => appendTo(handle),
    };
  }

  function newOutput(folder, name) {
    const existing = () => folder.getFileHandle(name).catch(() => null);
    return {
      name,
      permit: () => writable(folder),
      isInput: async (input) => {
        const handle = await existing();
        return handle && input.handle ? handle.isSameEntry(input.handle) : false;
      },
      open: async () => appendTo(await folder.getFileHandle(name, { create: true })),
    };
  }

  // Without the File System Access API: the output is a download that holds
  // the chosen file's bytes, then the new records. The pieces are gathered
  // into blobs along the way, which the browser may keep on its disk.
  function downloadOutput(choice, name) {
    return {
      permit: () => Promise.resolve(true),
      isInput: () => Promise.resolve(false),
      open: () => {
        let blob = new Blob(choice && choice.name === name && choice.old ? [choice.old] : []);
        let pieces = [];
        let pieceBytes = 0;
        const gather = () => {
          blob = new Blob([blob].concat(pieces), { type: 'text/plain' });
          pieces = [];
          pieceBytes = 0;
        };
        return Promise.resolve({
          write: (bytes) => {
            pieces.push(bytes.slice());
            pieceBytes += bytes.length;
            if (pieceBytes >= 16 * kChunkBytes) gather();
            return Promise.resolve();
          },
          close: () => {
            gather();
            const link = document.createElement('a');
            link.href = URL.createObjectURL(blob);
            link.download = name;
            document.body.appendChild(link);
            link.click();
            link.remove();
            return Promise.resolve();
          },
          abort: () => Promise.resolve(),
        });
      },
    };
  }

  // ---- The list run ----

  let run = null;  // the run going on: { stop, stopped }

  function showCount(records) {
    control.Label2.textContent = '已处理：' + records + '条！';
  }

  async function runBatch() {
    // The page stays usable while a run goes on: a second start is refused.
    if (run) return;
    const inputName = control.Text1.value;
    const outputName = control.Text2.value;
    if (inputName === '' || outputName === '') return;
    const input = inputChoice && inputChoice.name === inputName ? inputChoice : null;
    const output = writesFiles
      ? (outputChoice && outputChoice.name === outputName ? outputChoice : null)
      : downloadOutput(outputChoice, outputName);
    let stopRequested = false;
    let finished;
    run = { stop: () => { stopRequested = true; return run.stopped; },
      stopped: new Promise((resolve) => { finished = resolve; }) };
    let message = null;
    try {
      message = await convertList(input, output, () => stopRequested);
    } finally {
      run = null;
      finished();
    }
    if (message && !stopRequested) {
      await (message === 'completed' ? showMessage(kCompletedText, kMessageTitle, 'information')
        : runFailed());
    }
  }

  // Converts the list and resolves to the message that closes the run:
  // 'completed', 'failed', or null once stopped by the exit question.
  async function convertList(input, output, stopRequested) {
    if (!input) return 'failed';
    let file;
    try {
      // Asked first, while the click that started the run still counts.
      if (output && !(await output.permit())) return 'failed';
      file = await input.file();
    } catch (error) {
      return 'failed';
    }
    control.Label2.hidden = false;
    const engine = await engineReady;
    const conversion = new ListConversion(engine);
    let stream = null;
    let records = 0;
    // Writes a chunk's records, and counts them once they are written.
    const write = async (piece) => {
      if (piece.records === 0) return;
      if (!output) throw new Error('no output file');
      if (!stream) stream = await output.open();
      await stream.write(piece.bytes);
      records += piece.records;
      showCount(records);
    };
    // One chunk's records are written while the next chunk is read and
    // converted.
    let writing = Promise.resolve();
    const writeNext = async (piece) => {
      await writing;
      writing = write(piece);
    };
    try {
      if (output && (await output.isInput(input))) throw new Error('output is the input');
      const nextChunk = chunkReader(file);
      for (;;) {
        await noModal();
        if (stopRequested()) break;
        const chunk = await nextChunk();
        if (!chunk) break;
        await writeNext(conversion.feed(chunk));
      }
      if (!stopRequested()) await writeNext(conversion.feed(new Uint8Array(0)));
      await writing;
      if (stream) await stream.close();
      return stopRequested() ? null : 'completed';
    } catch (error) {
      // The records written before the failure stay: the stream is closed,
      // which puts them in the file; only when that fails too is it dropped.
      await writing.catch(() => {});
      if (stream) {
        try {
          await stream.close();
        } catch (closeError) {
          await stream.abort().catch(() => {});
        }
      }
      return stopRequested() ? null : 'failed';
    } finally {
      conversion.end();
    }
  }

  // While a run goes on, the browser asks before the tab is closed: the
  // output of a run cut short that way stays as it was.
  function onBeforeUnload(event) {
    if (!run) return;
    event.preventDefault();
    event.returnValue = '';
  }

  // ---- Exit ----

  let closing = false;

  async function requestClose() {
    if (closing || modalOpen) return;
    closing = true;
    const answer = await messageBox({
      text: kExitText, title: kExitTitle, icon: 'information',
      buttons: [
        { caption: '是(<u>Y</u>)', answer: 'yes', key: 'y' },
        { caption: '否(<u>N</u>)', answer: 'no', key: 'n' },
      ],
      escape: null,
    });
    closing = false;
    if (answer === 'yes') await endPage();
  }

  // Ends the page: a run's counted records are put in its output first. The
  // page closes itself where the browser lets it, and empties itself where
  // it does not.
  async function endPage() {
    if (run) await run.stop();
    window.removeEventListener('beforeunload', onBeforeUnload);
    window.close();
    document.title = 'Morvane';
    document.body.textContent = '';
  }

  // ---- The window's keys and clicks ----

  // The Tab order of the window, which wraps from Command5 to Command1; the
  // option group takes the focus at its selected button.
  const kTabOrder = ['Command1', 'Text2', 'Command2', 'Text1', 'Command3', 'Command4', 'options',
    'Text3', 'Text4', 'Command5'];

  function tabStop(name) {
    if (name !== 'options') return control[name];
    return control.Option1.checked ? control.Option1 : control.Option2;
  }

  function onKeyDown(event) {
    const key = event.key;
    if (key === 'Tab' && !event.ctrlKey && !event.altKey) {
      event.preventDefault();
      const focused = document.activeElement;
      const at = kTabOrder.findIndex((name) => name === 'options'
        ? focused === control.Option1 || focused === control.Option2 : control[name] === focused);
      const step = event.shiftKey ? kTabOrder.length - 1 : 1;
      tabStop(kTabOrder[at < 0 ? 0 : (at + step) % kTabOrder.length]).focus();
      return;
    }
    // Alt+S and Alt+X, by the key's place, which is the same on every layout
    // and with the Mac's Option key.
    if (event.altKey && !event.ctrlKey && !event.metaKey) {
      const access = { KeyS: control.Command3, KeyX: control.Command4 }[event.code];
      if (access) {
        event.preventDefault();
        access.focus();
        access.click();
      }
    }
  }

  control.Command1.addEventListener('click', chooseInputFile);
  control.Command2.addEventListener('click', chooseOutputFile);
  control.Command3.addEventListener('click', runBatch);
  control.Command4.addEventListener('click', requestClose);
  control.Command5.addEventListener('click', convertSingle);
  byId('closeBox').addEventListener('click', requestClose);
  control.Label3.addEventListener('click', () => {
    window.open(kCreditAddress, '_blank', 'noopener,noreferrer');
  });
  document.addEventListener('keydown', onKeyDown);
  window.addEventListener('beforeunload', onBeforeUnload);
  control.Command1.focus();
})();
