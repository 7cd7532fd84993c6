// The File System Access API for the tests: Chromium's pickers cannot be
// driven, so these stand in for them and hand out handles of real files,
// which node reads and writes (stubFiles, exposed by page_harness.js). A
// writable stream writes to a swap file beside its file and puts it in the
// file's place when closed, as Chromium's does: a page that ends before
// leaves the file as it was.
(() => {
  const call = (...args) => window.stubFiles(...args);
  const error = (name) => new DOMException(name, name);
  const toBase64 = (bytes) => {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  };
  const fromBase64 = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));

  class StubHandle {
    constructor(path, kind) {
      this.path = path;
      this.kind = kind;
      this.name = path.split('/').pop();
    }
    async isSameEntry(other) {
      return call('same', this.path, other.path);
    }
    async queryPermission() {
      return call('permission', this.path, false);
    }
    async requestPermission() {
      return call('permission', this.path, true);
    }
  }

  class StubFile extends StubHandle {
    constructor(path) {
      super(path, 'file');
    }
    async getFile() {
      const read = await call('read', this.path);
      if (read === null) throw error('NotFoundError');
      const file = new File([fromBase64(read.bytes)], this.name);
      if (!read.failsAfter) return file;
      // A file changed since it was chosen: reading past its first bytes fails.
      return {
        size: file.size,
        slice: (start, end) => ({
          arrayBuffer: () => start >= read.failsAfter ? Promise.reject(error('NotReadableError'))
            : file.slice(start, end).arrayBuffer(),
        }),
      };
    }
    async createWritable(options) {
      const id = await call('open', this.path, Boolean(options && options.keepExistingData));
      if (id === null) throw error('NotFoundError');
      return {
        seek: (at) => call('seek', id, at),
        write: (bytes) => call('write', id, toBase64(bytes)),
        close: () => call('close', id),
        abort: () => call('abort', id),
      };
    }
  }

  class StubFolder extends StubHandle {
    constructor(path) {
      super(path, 'directory');
    }
    async getFileHandle(name, options) {
      const path = this.path + '/' + name;
      if (!(await call('exists', path))) {
        if (!(options && options.create)) throw error('NotFoundError');
        await call('create', path);
      }
      return new StubFile(path);
    }
  }

  // The test's next answer to a picker: a path, null for a cancel, or
  // 'refused' for a policy that forbids it.
  const picker = (kind, Handle) => async () => {
    const answer = await call('pick', kind);
    if (answer === null) throw error('AbortError');
    if (answer === 'refused') throw error('SecurityError');
    return kind === 'folder' ? new Handle(answer) : [new Handle(answer)];
  };
  window.showOpenFilePicker = picker('open', StubFile);
  window.showDirectoryPicker = picker('folder', StubFolder);
  window.showSaveFilePicker = () => Promise.reject(new Error('the page must not use the save picker'));
})();
