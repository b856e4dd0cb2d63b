// The studio page. Everything the studio decides happens in its module (the studio's own C++): this
// script draws the studio window's form from its resource script (the page's data block), hands the
// module the author's events and files, and draws what the module's controls then hold. The author's
// texts and file names only ever reach the page as text (textContent, never markup).
'use strict';
(function () {
  if (typeof document === 'undefined') return fitPicturesInThisWorker();
  // This script, for the workers that fit pictures on every core (they run it too).
  const OWN_SCRIPT = document.currentScript ? document.currentScript.textContent : '';
  const TEXTS = {
    studioBroken: 'Cette page est abîmée : son studio ne démarre pas. Téléchargez-la de nouveau.',
    browserTooOld: 'Ce navigateur est trop ancien pour le studio. Mettez-le à jour (Safari 16.4, Chrome 91, '
                   + 'Firefox 89 ou plus récent), ou ouvrez cette page dans un autre navigateur.',
    unexpected: 'Une erreur inattendue est survenue : ',
    close: 'Fermer',
    start: 'Choisissez les images de votre quiz, ou leur dossier, ou déposez-les sur cette page : chacune ' +
           'devient une question, et son nom sa réponse. Tout reste dans ce navigateur : rien n\'est envoyé.',
    replace: 'Le quiz en cours sera remplacé. Continuer ?',
    kept: (title) => `Un quiz est gardé dans ce navigateur : « ${title} ».`,
    resume: 'Reprendre',
    startOther: 'Commencer un autre',
    keepFailed: 'Ce navigateur ne garde pas ce quiz : créez-le avant de fermer la page.',
    nothingToOpen: 'Choisissez une description de quiz (quiz.toml) avec ses images, ou un quiz déjà créé ' +
                   '(.html ou .exe).',
    download: (name) => `Télécharger « ${name} »`,
    open: (name) => `Ouvrir « ${name} »`,
    secondBox: (label) => `${label} (2e boîte)`,
    defaultFolder: 'Mon quiz',
    folderUnreadable: (name) => `Le dossier « ${name} » ne peut pas être lu en entier.`,
    appName: 'fenok studio',
  };
  const DB_NAME = 'fenok-studio';
  const KEEP_DELAY_MS = 400;
  const MEDIA_TYPES = {
    html: 'text/html', exe: 'application/vnd.microsoft.portable-executable', toml: 'text/plain',
    mp3: 'audio/mpeg', wav: 'audio/wav', ogg: 'audio/ogg', mid: 'audio/midi', midi: 'audio/midi',
    mp4: 'video/mp4', webm: 'video/webm', avi: 'video/x-msvideo', mpg: 'video/mpeg', mpeg: 'video/mpeg',
    jpg: 'image/jpeg', jpeg: 'image/jpeg', png: 'image/png', gif: 'image/gif',
  };
  const FIELD_KINDS = ['EDITTEXT', 'COMBOBOX', 'LISTBOX', 'WC_LISTVIEW'];
  const PLAYERS = [['fenok-player-32', 'fenok.exe'], ['fenok-player-64', 'fenok64.exe'],
                   ['fenok-web-player', 'fenok-web.html']];
  const PROGRAM_FOLDER = '/fenok';
  const PICTURE_READ_BY_BROWSER = 1;  // fenok_studio_picture_reader's answers
  const PICTURE_READ_BY_STUDIO = 2;
  const MOST_WORKERS = 8;
  const PICTURES_AHEAD = 2;  // pictures a worker holds at once: the one it fits, the next one
  const DEEPEST_FOLDER = 4;  // a dropped folder's folders are read this deep, where it holds a description
  const FEWEST_TO_SHARE = 4;  // fewer files handed at once: the studio fits their pictures itself
  // A module of one function returning a vector constant: valid only where WebAssembly has vector
  // instructions, which the studio's picture decoding uses.
  const VECTOR_PROBE = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 22, 1, 20, 0,
                                       253, 12, ...new Array(16).fill(0), 11]);

  const byId = (id) => document.getElementById(id);
  const make = (tag, className) => {
    const element = document.createElement(tag);
    if (className) element.className = className;
    return element;
  };
  const extension = (name) => (/\.([^./]+)$/.exec(name) || ['', ''])[1].toLowerCase();
  const baseName = (path) => path.slice(path.lastIndexOf('/') + 1);
  // A menu's or a control's text as a page shows it: no mnemonic, no shortcut.
  const plain = (text) => text.split('\t')[0].replace(/&(.)/g, '$1');
  // A field's name: its label's words, without the colon the window sets after them.
  const fieldName = (text) => plain(text).replace(/\s*:\s*$/, '');
  // A button's shortcut, "(F5)" at the end of its text, is said by aria-keyshortcuts instead.
  const SHORTCUT_IN_TEXT = /\s*\((F\d+|Ctrl\+\w)\)$/;
  const mnemonic = (text) => (/&([^&])/.exec(text) || ['', ''])[1].toLowerCase();

  // --- Messages: what the studio tells, and the page's own troubles --------------------------------
  function showMessage(text, tone, link) {
    const box = make('div', `message ${tone}`);
    const words = make('p');
    words.textContent = text;
    box.append(words);
    if (link) box.append(link);
    const close = make('button', 'button');
    close.type = 'button';
    close.textContent = TEXTS.close;
    close.addEventListener('click', () => box.remove());
    box.append(close);
    byId('messages').append(box);
  }
  const clearMessages = () => byId('messages').replaceChildren();
  window.addEventListener('error', (event) => showMessage(TEXTS.unexpected + event.message, 'error'));
  window.addEventListener('unhandledrejection', (event) =>
    showMessage(TEXTS.unexpected + String(event.reason && event.reason.message || event.reason), 'error'));

  // --- The module's entry points: bytes in, bytes out -----------------------------------------------
  class Module extends FenokEntries {
    constructor(module) { super(module, 'fenok_studio_'); }
    writeFile(path, bytes) { return this.call('write_file', [path, bytes]) === 1; }
    readFile(path) {
      this.call('read_file', [path]);
      return this.bytes();
    }
  }

  // --- Keeping the quiz in the browser (IndexedDB): its files, and its description ------------------
  const keeping = {
    db: null,
    failed: false,
    timer: 0,
    known: new Set(),  // the paths of the files kept
    async open() {
      try {
        this.db = await new Promise((resolve, reject) => {
          const request = indexedDB.open(DB_NAME, 1);
          request.onupgradeneeded = () => {
            request.result.createObjectStore('files');
            request.result.createObjectStore('work');
          };
          request.onsuccess = () => resolve(request.result);
          request.onerror = () => reject(request.error);
        });
      } catch (error) {
        this.fail();
      }
    },
    fail() {
      if (!this.failed) showMessage(TEXTS.keepFailed, 'warning');
      this.failed = true;
    },
    run(store, mode, use) {
      if (!this.db) return Promise.resolve(undefined);
      return new Promise((resolve) => {
        try {
          const transaction = this.db.transaction(store, mode);
          const request = use(transaction.objectStore(store));
          transaction.oncomplete = () => resolve(request && request.result);
          transaction.onerror = transaction.onabort = () => { this.fail(); resolve(undefined); };
        } catch (error) {
          this.fail();
          resolve(undefined);
        }
      });
    },
    // Many files in one transaction: a transaction each costs the page more than the copying.
    putFiles(entries) {
      for (const [path] of entries) this.known.add(path);
      return this.run('files', 'readwrite', (s) => {
        let request;
        for (const [path, blob] of entries) request = s.put(blob, path);
        return request;
      });
    },
    clearFiles() {
      this.known.clear();
      return this.run('files', 'readwrite', (s) => s.clear());
    },
    async files() {
      const keys = await this.run('files', 'readonly', (s) => s.getAllKeys()) || [];
      const blobs = await this.run('files', 'readonly', (s) => s.getAll()) || [];
      return keys.map((key, i) => [key, blobs[i]]);
    },
    work() { return this.run('work', 'readonly', (s) => s.get('current')); },
    forget() { return this.run('work', 'readwrite', (s) => s.delete('current')); },
    soon() {
      clearTimeout(this.timer);
      this.timer = setTimeout(() => this.now(), KEEP_DELAY_MS);
    },
    async now() {
      clearTimeout(this.timer);
      this.timer = 0;
      if (!studio.folder) return;
      studio.module.call('kept', []);
      const kept = studio.module.json();
      if (kept.folder) studio.folder = kept.folder;
      // Files the studio wrote itself (a quiz made before, taken apart) are kept as the author's are.
      const unknown = kept.files.filter((path) => !this.known.has(path));
      if (unknown.length) this.putFiles(unknown.map((path) => [path, new Blob([studio.module.readFile(path)])]));
      delete kept.files;
      kept.title = studio.title;
      await this.run('work', 'readwrite', (s) => s.put(kept, 'current'));
    },
    pending() { return this.timer !== 0 || this.failed; },
  };

  // --- The form: the studio window's controls, drawn from its resource script -----------------------
  const form = {
    window: null,
    ids: {},
    elements: new Map(),  // control id -> element
    labels: new Map(),    // field id -> its label's text

    build(windowData) {
      this.window = windowData;
      this.ids = windowData.ids;
      const main = byId('form');
      for (const section of windowData.sections) main.append(this.buildSection(section));
      this.buildCommands();
    },

    buildSection(section) {
      let container;
      if (typeof section.section === 'number') {
        container = make('fieldset', 'section');
        const legend = make('legend');
        legend.textContent = plain(section.text);
        container.append(legend);
        this.elements.set(section.section, legend);
      } else {
        container = make('section', `section ${section.section}`);
      }
      let label = null;
      let rowLabel = '';
      for (const controls of section.rows) {
        const row = make('div', 'row');
        rowLabel = '';
        for (const control of controls) {
          if (this.isLabel(control)) {
            label = this.makeLabel(control);
            rowLabel = label.textContent;
            row.append(label);
            continue;
          }
          const element = this.makeControl(control);
          if (FIELD_KINDS.includes(control.kind)) {
            if (label) {
              const key = mnemonic(label.dataset.text);
              if (key) element.accessKey = key;
              this.labels.set(control.id, fieldName(label.dataset.text));
              // A list drawn as ul is no labelable element: it is named by the window's label.
              if (element.tagName === 'UL') element.setAttribute('aria-label', fieldName(label.dataset.text));
              else label.htmlFor = element.id;
            } else {
              this.labels.set(control.id, TEXTS.secondBox(rowLabel));
            }
            label = null;
          }
          row.append(element);
        }
        container.append(row);
      }
      return container;
    },

    isLabel(control) {
      return (control.kind === 'LTEXT' || control.kind === 'CTEXT') && control.text !== '';
    },

    makeLabel(control) {
      const label = make('label', 'label');
      label.dataset.text = control.text;
      label.textContent = fieldName(control.text);
      if (control.id !== -1) this.elements.set(control.id, label);
      return label;
    },

    makeControl(control) {
      const id = control.id;
      let element;
      switch (control.kind) {
        case 'EDITTEXT':
          element = make('input', 'field');
          element.type = 'text';
          element.autocomplete = 'off';
          element.spellcheck = false;
          break;
        case 'COMBOBOX':
          element = make('select', 'field');
          break;
        case 'LISTBOX':
          element = id === this.ids.STUDIO_PROBLEMS ? this.makeProblems() : make('select', 'field list');
          if (element.tagName === 'SELECT') element.size = 6;
          break;
        case 'WC_LISTVIEW':
          element = this.makeQuestions();
          break;
        case 'PUSHBUTTON': {
          element = make('button', 'button');
          element.type = 'button';
          const shortcut = SHORTCUT_IN_TEXT.exec(plain(control.text));
          if (shortcut) element.setAttribute('aria-keyshortcuts', shortcut[1].replace('Ctrl', 'Control'));
          element.dataset.text = plain(control.text).replace(SHORTCUT_IN_TEXT, '');
          element.textContent = element.dataset.text;
          break;
        }
        default:  // pictures, the question's text, the background sample, the verdicts
          element = this.makeShown(control);
      }
      element.id = `c${id}`;
      element.dataset.control = String(id);
      this.elements.set(id, element);
      return element;
    },

    makeShown(control) {
      const ids = this.ids;
      if (control.id === ids.STUDIO_PREVIEW || control.id === ids.STUDIO_SOLUTION_PREVIEW) {
        const canvas = make('canvas', control.id === ids.STUDIO_PREVIEW ? 'preview' : 'preview solution');
        canvas.width = canvas.height = 0;
        canvas.setAttribute('role', 'img');
        return canvas;
      }
      if (control.id === ids.STUDIO_TRIAL_VERDICT || control.id === ids.STUDIO_SECOND_TRIAL_VERDICT) {
        const output = make('output', 'verdict');
        output.setAttribute('aria-live', 'polite');
        return output;
      }
      return make('div', control.id === ids.STUDIO_BACKGROUND_SAMPLE ? 'sample' : 'shown-text');
    },

    makeQuestions() {
      const list = make('ul', 'question-list');
      list.setAttribute('role', 'listbox');
      list.tabIndex = 0;
      return list;
    },

    makeProblems() {
      const list = make('ul', 'problem-list');
      list.setAttribute('aria-live', 'polite');
      return list;
    },

    // The menu's commands the page has no control for: undo and redo.
    buildCommands() {
      const bar = byId('commands');
      for (const name of ['STUDIO_CMD_UNDO', 'STUDIO_CMD_REDO']) {
        const id = this.ids[name];
        const button = make('button', 'button');
        button.type = 'button';
        button.id = `c${id}`;
        button.dataset.control = String(id);
        const [text, shortcut] = this.window.menu[id].split('\t');
        button.textContent = plain(text);
        button.disabled = true;  // until a quiz is open
        if (shortcut) button.setAttribute('aria-keyshortcuts', shortcut.replace('Ctrl', 'Control'));
        bar.append(button);
        this.elements.set(id, button);
      }
      byId('new-folder-name').textContent = plain(this.window.menu[this.ids.STUDIO_CMD_NEW_FROM_FOLDER]);
      byId('open-files-name').textContent = plain(this.window.menu[this.ids.STUDIO_CMD_OPEN]);
    },
  };

  // --- Drawing a snapshot ---------------------------------------------------------------------------
  const pictures = new Map();  // picture key -> ImageData

  function pictureData(id, row, key) {
    if (!key) return null;
    if (!pictures.has(key)) {
      studio.module.call('picture', [], id, row);
      const bytes = studio.module.bytes();
      if (bytes.length < 8) return null;
      const view = new DataView(bytes.buffer, bytes.byteOffset, 8);
      const width = view.getUint32(0, true);
      const height = view.getUint32(4, true);
      if (!width || !height || bytes.length < 8 + width * height * 4) return null;
      pictures.set(key, new ImageData(new Uint8ClampedArray(bytes.buffer, bytes.byteOffset + 8, width * height * 4),
                                      width, height));
    }
    return pictures.get(key);
  }

  function drawPicture(canvas, data) {
    canvas.width = data ? data.width : 0;
    canvas.height = data ? data.height : 0;
    if (data) canvas.getContext('2d').putImageData(data, 0, 0);
  }

  function drawQuestions(element, control) {
    const thumbnails = new Map(control.pictures);
    const signature = JSON.stringify([control.rows, control.pictures]);
    if (element.dataset.signature !== signature) {
      element.dataset.signature = signature;
      element.replaceChildren(...control.rows.map((cells, row) => {
        const option = make('li', 'question');
        option.id = `question-${row}`;
        option.setAttribute('role', 'option');
        option.dataset.row = String(row);
        const thumbnail = make('canvas', 'thumbnail');
        thumbnail.setAttribute('aria-hidden', 'true');
        drawPicture(thumbnail, pictureData(control.id, row, thumbnails.get(row)));
        const words = make('span', 'cells');
        words.textContent = cells.join(' ');
        option.append(thumbnail, words);
        return option;
      }));
    }
    for (const option of element.children)
      option.setAttribute('aria-selected', String(Number(option.dataset.row) === control.selection));
    const selected = element.children[control.selection];
    if (selected) {
      element.setAttribute('aria-activedescendant', selected.id);
      selected.scrollIntoView({ block: 'nearest' });
    } else {
      element.removeAttribute('aria-activedescendant');
    }
  }

  function drawProblems(element, control) {
    const signature = JSON.stringify(control.rows);
    if (element.dataset.signature === signature) return;
    element.dataset.signature = signature;
    element.replaceChildren(...control.rows.map((cells, row) => {
      const item = make('li');
      const button = make('button', 'problem');
      button.type = 'button';
      button.textContent = cells.join(' ');
      button.dataset.row = String(row);
      item.append(button);
      return item;
    }));
  }

  function drawOptions(element, control) {
    const signature = JSON.stringify(control.rows);
    if (element.dataset.signature !== signature) {
      element.dataset.signature = signature;
      element.replaceChildren(...control.rows.map((cells) => {
        const option = make('option');
        option.textContent = cells.join(' ');
        return option;
      }));
    }
    if (element.selectedIndex !== control.selection) element.selectedIndex = control.selection;
  }

  function drawText(element, text) {
    if (element.tagName === 'INPUT') {
      if (element.value === text) return;
      const caret = element === document.activeElement ? element.selectionStart : null;
      element.value = text;
      if (caret !== null) element.setSelectionRange(Math.min(caret, text.length), Math.min(caret, text.length));
    } else if (element.tagName === 'BUTTON') {
      element.textContent = text ? plain(text).replace(SHORTCUT_IN_TEXT, '') : element.dataset.text;
    } else if (element.tagName === 'LABEL' || element.tagName === 'LEGEND') {
      if (text) element.textContent = element.tagName === 'LABEL' ? fieldName(text) : plain(text);  // else the window's
    } else if (element.tagName !== 'CANVAS' && element.tagName !== 'UL' && element.tagName !== 'SELECT') {
      element.textContent = text;
    }
  }

  function drawControl(control) {
    const element = form.elements.get(control.id);
    if (!element) return;
    element.hidden = !control.visible;
    if ('disabled' in element && element.tagName !== 'OUTPUT') element.disabled = !control.enabled;
    if (element.tagName === 'UL' && element.classList.contains('question-list')) drawQuestions(element, control);
    else if (element.tagName === 'UL') drawProblems(element, control);
    else if (element.tagName === 'SELECT') drawOptions(element, control);
    else if (element.tagName === 'CANVAS') {
      drawPicture(element, pictureData(control.id, -1, control.picture));
      element.setAttribute('aria-label', control.text);
    } else drawText(element, control.text);
    if (element.tagName === 'INPUT') {
      element.placeholder = control.cue;
      const label = form.labels.get(control.id);
      if (!element.labels.length) element.setAttribute('aria-label', control.cue ? `${label} : ${control.cue}` : label);
    }
    if (control.background) {
      element.style.backgroundColor = control.background;
      element.style.color = control.color;
    }
  }

  function draw(snapshot) {
    for (const control of snapshot.controls) drawControl(control);
    for (const [name, can] of [['STUDIO_CMD_UNDO', snapshot.canUndo], ['STUDIO_CMD_REDO', snapshot.canRedo]])
      form.elements.get(form.ids[name]).disabled = !can;
    const verdicts = [form.ids.STUDIO_TRIAL_VERDICT, form.ids.STUDIO_SECOND_TRIAL_VERDICT];
    [form.ids.STUDIO_TRIAL, form.ids.STUDIO_SECOND_TRIAL].forEach((id, i) =>
      form.elements.get(id).setAttribute('aria-describedby', `c${verdicts[i]}`));
    // The tab names the quiz open, by its title, and the studio.
    const title = snapshot.controls.find((control) => control.id === form.ids.STUDIO_TITLE);
    studio.title = title ? title.text : '';
    document.title = studio.folder && studio.title ? `${studio.title} - ${TEXTS.appName}` : TEXTS.appName;
    if (snapshot.focus !== studio.lastFocus) {
      studio.lastFocus = snapshot.focus;
      const element = form.elements.get(snapshot.focus);
      if (element && element !== document.activeElement && !element.hidden) element.focus();
    }
    if (snapshot.told.length) clearMessages();
    for (const told of snapshot.told) showMessage(told.message, told.tone);
    for (const path of snapshot.opened) showFile(path);
    for (const asked of snapshot.asked) ask(asked);
  }

  // --- Files the studio would have the system open, and the quizzes it creates -----------------------
  function fileBlob(path) {
    const original = studio.originals.get(path);
    const bytes = studio.module.readFile(path);
    return new Blob([bytes], { type: (original && original.type) || MEDIA_TYPES[extension(path)] || '' });
  }

  function showFile(path) {
    const url = URL.createObjectURL(fileBlob(path));
    if (window.open(url, '_blank')) return;
    const link = make('a');
    link.href = url;
    link.target = '_blank';
    link.textContent = TEXTS.open(baseName(path));
    showMessage('', 'information', link);
  }

  function download(path) {
    const name = baseName(path);
    const link = make('a');
    link.href = URL.createObjectURL(fileBlob(path));
    link.download = name;
    link.textContent = TEXTS.download(name);
    link.click();
    showMessage('', 'information', link);  // again by hand, should the browser have held it back
  }

  // --- Dialogs the studio opened with no answer: the page asks, answers, and repeats the command ----
  function ask(asked) {
    const command = studio.lastCommand;
    if (asked.kind === 'open') askFiles(asked, command);
    else if (asked.kind === 'save') askCreate(asked, command);
    else askColour(asked, command);
  }

  function askFiles(asked, command) {
    const input = byId('pick-files');
    input.multiple = asked.multiple;
    input.accept = asked.filters.flatMap((filter) => filter.patterns.split(';'))
      .map((pattern) => pattern.trim().replace(/^\*/, '')).filter((pattern) => pattern.startsWith('.')).join(',');
    input.value = '';
    input.onchange = async () => {
      const paths = await addFiles([...input.files], studio.folder);
      if (!paths.length) return;
      studio.module.call('answer_paths', [paths.join('\n')], 0);
      act(() => studio.module.call('command', [], command));
    };
    input.click();
  }

  function askCreate(asked, command) {
    const dialog = byId('create');
    byId('create-title').textContent = asked.title;
    const kinds = byId('create-kinds');
    kinds.replaceChildren(...asked.filters.map((filter, i) => {
      const label = make('label', 'kind');
      const radio = make('input');
      radio.type = 'radio';
      radio.name = 'create-kind';
      radio.value = String(i);
      radio.checked = i === studio.createKind;
      label.append(radio, document.createTextNode(filter.label.replace(/\s*\([^)]*\)$/, '')));
      return label;
    }));
    byId('create-ok').onclick = () => {
      const chosen = kinds.querySelector('input:checked');
      studio.createKind = chosen ? Number(chosen.value) : 0;
      dialog.close();
      const path = `${studio.folder}/${asked.suggestedName}`;
      const made = asked.filters[studio.createKind].patterns.includes('.html') ? path.replace(/\.exe$/i, '') + '.html'
                                                                                : path;
      studio.module.call('answer_paths', [path], studio.createKind);
      const snapshot = act(() => studio.module.call('command', [], command));
      if (snapshot.told.some((told) => told.tone === 'error')) return;
      download(made);
      studio.modified = false;
    };
    byId('create-cancel').onclick = () => dialog.close();
    dialog.showModal();
    (kinds.querySelector('input:checked') || byId('create-ok')).focus();
  }

  function askColour(asked, command) {
    const input = byId('pick-colour');
    input.value = asked.colour.toLowerCase();
    input.onchange = () => {
      const rgb = parseInt(input.value.slice(1), 16);
      const bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
      studio.module.call('answer_colour', [], bgr >>> 0);
      act(() => studio.module.call('command', [], command));
    };
    input.click();
  }

  // --- The author's files: written into the module's folder, pictures the C++ cannot read decoded ---
  // The size a picture declares, read by the browser without decoding its pixels; null when it cannot.
  async function declaredSize(file) {
    const url = URL.createObjectURL(file);
    try {
      const image = new Image();
      await new Promise((loaded, failed) => {
        image.onload = loaded;
        image.onerror = failed;
        image.src = url;
      });
      return { width: image.naturalWidth, height: image.naturalHeight };
    } catch (error) {
      return null;
    } finally {
      URL.revokeObjectURL(url);
    }
  }

  // The picture's pixels as stored: not turned by its metadata, as the C++ turns them itself.
  async function decodedPixels(file) {
    let bitmap;
    try {
      bitmap = await createImageBitmap(file, { imageOrientation: 'none' });
    } catch (error) {
      return null;
    }
    const canvas = make('canvas');
    canvas.width = bitmap.width;
    canvas.height = bitmap.height;
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    bitmap.close();
    const data = context.getImageData(0, 0, canvas.width, canvas.height);
    return { rgba: new Uint8Array(data.data.buffer), width: data.width, height: data.height };
  }

  // Hands the module a file's bytes, and its pixels when only the browser can read it.
  // Answers the file's bytes, and whether the C++ reads its picture itself (to be fitted ahead), or null.
  async function handFile(path, blob) {
    const bytes = new Uint8Array(await blob.arrayBuffer());
    if (!studio.module.writeFile(path, bytes)) return null;
    const reader = studio.module.call('picture_reader', [bytes]);
    if (reader !== PICTURE_READ_BY_BROWSER) return { bytes, fitAhead: reader === PICTURE_READ_BY_STUDIO };
    // A picture this browser cannot decode is left to the studio, whose problem names it; one too large
    // for a quiz is not decoded at all (the studio says it is too large).
    const size = await declaredSize(blob);
    if (size && studio.module.call('hand_size', [bytes], size.width, size.height) !== 1) return { bytes };
    const pixels = await decodedPixels(blob);
    if (pixels) studio.module.call('hand_pixels', [bytes, pixels.rgba], pixels.width, pixels.height);
    return { bytes };
  }

  // --- Workers: the pictures fitted on every core while the page reads the next ones -----------------
  const fitters = {
    workers: null,  // each { worker, inFlight }
    queue: [],  // pictures no worker has taken yet: { id, bytes }
    waiting: new Map(),  // request id -> its promise's resolve
    sent: 0,
    start() {
      if (this.workers) return this.workers;
      this.workers = [];
      try {
        const url = URL.createObjectURL(new Blob([OWN_SCRIPT], { type: 'text/javascript' }));
        const count = Math.min(navigator.hardwareConcurrency || 1, MOST_WORKERS);
        for (let i = 0; i < count && count > 1; ++i) {
          const fitter = { worker: new Worker(url), inFlight: 0 };
          fitter.worker.onmessage = (event) => this.answered(fitter, event.data);
          fitter.worker.onerror = () => this.fail();
          postModule(fitter.worker);
          this.workers.push(fitter);
        }
      } catch (error) {
        this.fail();  // no workers here: the studio fits the pictures itself
      }
      return this.workers;
    },
    // The picture fitted by a worker, or null (none here, or it failed).
    fit(bytes) {
      if (!this.start().length) return Promise.resolve(null);
      const id = this.sent++;
      return new Promise((resolve) => {
        this.waiting.set(id, resolve);
        this.queue.push({ id, bytes });
        this.dispatch();
      });
    },
    // Each worker is given the next picture as it finishes one (with one more waiting, so that it never
    // waits for the page): a worker slowed by larger pictures takes fewer, and all finish together.
    dispatch() {
      for (const fitter of this.workers) {
        while (fitter.inFlight < PICTURES_AHEAD && this.queue.length) {
          const { id, bytes } = this.queue.shift();
          const copy = bytes.slice();  // the worker takes this one; the page keeps its own
          fitter.inFlight += 1;
          fitter.worker.postMessage({ id, bytes: copy }, [copy.buffer]);
        }
      }
    },
    answered(fitter, answer) {
      if (answer.failed) return this.fail();
      fitter.inFlight -= 1;
      const resolve = this.waiting.get(answer.id);
      this.waiting.delete(answer.id);
      if (resolve) resolve(answer.fitted);
      this.dispatch();
    },
    fail() {
      for (const fitter of this.workers || []) fitter.worker.terminate();
      this.workers = [];
      this.queue = [];
      for (const resolve of this.waiting.values()) resolve(null);
      this.waiting.clear();
    },
  };

  // Fitting a picture ahead, in a worker, where many are handed at once: what it made is left where the
  // studio finds it again.
  function fitAhead(bytes, many) {
    if (!many) return Promise.resolve();
    return fitters.fit(bytes).then((fitted) => {
      if (fitted && fitted.length) studio.module.call('remember_fitted', [bytes, fitted]);
    });
  }

  // A name no file of the folder has yet; a file of the same name and bytes is the same file.
  function freeName(folder, file) {
    const name = withinFolder(file);
    const dot = name.lastIndexOf('.');
    const stem = dot > 0 ? name.slice(0, dot) : name;
    const ending = dot > 0 ? name.slice(dot) : '';
    for (let n = 1; ; ++n) {
      const path = `${folder}/${n === 1 ? name : `${stem} (${n})${ending}`}`;
      const kept = studio.originals.get(path);
      if (!kept || (kept.size === file.size && kept.lastModified === file.lastModified)) return path;
    }
  }

  // Runs a task of several steps, the page saying it is busy meanwhile.
  async function busy(task) {
    document.body.setAttribute('aria-busy', 'true');
    try {
      return await task();
    } finally {
      document.body.removeAttribute('aria-busy');
    }
  }

  const addFiles = (files, folder) => busy(async () => {
    const paths = [];
    const fitting = [];
    for (const file of files) {
      const path = freeName(folder, file);
      const handed = await handFile(path, file);
      if (!handed) continue;
      if (handed.fitAhead) fitting.push(fitAhead(handed.bytes, files.length >= FEWEST_TO_SHARE));
      studio.originals.set(path, file);
      paths.push(path);
    }
    await Promise.all(fitting);
    // Kept once the pictures are fitted: the browser's copying them then runs beside the studio's
    // opening, on a core the workers no longer need.
    keeping.putFiles(paths.map((path) => [path, studio.originals.get(path)]));
    return paths;
  });

  // "folder/…/name" of a file chosen with its folder (by the folder input, or dropped), else "".
  const relativePath = (file) => file.fenokPath || file.webkitRelativePath || '';

  // A file's name within the folder chosen: its path below that folder when a folder was chosen (a
  // description may name pictures in a folder of its own), else its name.
  function withinFolder(file) {
    const below = relativePath(file).split('/').slice(1).filter((part) => part && part !== '..');
    return below.length ? below.join('/') : file.name;
  }

  function folderName(files) {
    const relative = files.length && relativePath(files[0]);
    const name = relative ? relative.split('/')[0] : TEXTS.defaultFolder;
    return name.replace(/[\u0000-\u001f/\\:*?"<>|]/g, '').trim() || TEXTS.defaultFolder;
  }

  // A fresh folder for each quiz of the session: no file of an earlier one comes along.
  function newFolder(name) {
    studio.folders += 1;
    return `/quiz/${studio.folders}/${name}`;
  }

  function writePlayers() {
    if (studio.playersWritten) return;
    for (const [element, name] of PLAYERS) {
      const block = byId(element);
      if (block) studio.module.writeFile(`${PROGRAM_FOLDER}/${name}`, fenokBase64Bytes(block.textContent));
    }
    studio.playersWritten = true;
  }

  // --- Starting a quiz: from pictures, from a description, or from what the browser kept ------------
  function mayReplace() { return !studio.folder || !studio.modified || window.confirm(TEXTS.replace); }

  function started(folder, path) {
    pictures.clear();
    studio.folder = folder;
    studio.lastFocus = undefined;
    studio.modified = false;
    byId('start').hidden = true;
    byId('offer').hidden = true;
    byId('form').hidden = false;
    clearMessages();
    act(() => studio.module.call('start', [path]));
    keeping.now();
  }

  async function newQuiz(files, fromFolder) {
    if (!files.length || !mayReplace()) return;
    // From a folder: its own files, and those of its folders too where it holds a description.
    const top = (file) => relativePath(file).split('/').length === 2;
    const described = files.some((file) => top(file) && extension(file.name) === 'toml');
    const chosen = fromFolder && !described ? files.filter(top) : files;
    const folder = newFolder(folderName(fromFolder ? files : []));
    await keeping.clearFiles();
    studio.originals.clear();
    await addFiles(chosen, folder);
    started(folder, folder);
  }

  async function openQuiz(files) {
    if (!files.length) return;
    const description = files.find((file) => extension(file.name) === 'toml');
    const made = files.find((file) => ['exe', 'html', 'htm'].includes(extension(file.name)));
    if (!description && made) return openMadeQuiz(made);
    if (!description) {
      showMessage(TEXTS.nothingToOpen, 'warning');
      return;
    }
    if (!mayReplace()) return;
    const folder = newFolder(description.name.replace(/\.toml$/i, '') || TEXTS.defaultFolder);
    await keeping.clearFiles();
    studio.originals.clear();
    await addFiles(files, folder);
    started(folder, `${folder}/${description.name}`);
  }

  // A program or a page made before: the studio takes it apart beside it, then opens its description.
  // What is no quiz is said, and the quiz on screen stays.
  async function openMadeQuiz(file) {
    if (!mayReplace()) return;
    const folder = newFolder(TEXTS.defaultFolder);
    const path = `${folder}/${file.name}`;
    await busy(() => handFile(path, file));
    studio.module.call('unpack', [path]);
    const unpacked = studio.module.json();
    if (!unpacked.description) {
      showMessage(unpacked.message, 'error');
      return;
    }
    await keeping.clearFiles();
    studio.originals.clear();
    started(folder, unpacked.description);
    showMessage(unpacked.message, 'information');
  }

  const resume = (work) => busy(async () => {
    const folder = work.folder;
    studio.originals.clear();
    const fitting = [];
    const kept = await keeping.files();
    for (const [path, blob] of kept) {
      const handed = path.startsWith(`${folder}/`) ? await handFile(path, blob) : null;
      if (!handed) continue;
      if (handed.fitAhead) fitting.push(fitAhead(handed.bytes, kept.length >= FEWEST_TO_SHARE));
      studio.originals.set(path, blob);
    }
    await Promise.all(fitting);
    const description = `${folder}/quiz.toml`;
    studio.module.writeFile(description, new TextEncoder().encode(work.description));
    const number = /^\/quiz\/(\d+)\//.exec(folder);
    studio.folders = Math.max(studio.folders, number ? Number(number[1]) : 0);
    started(folder, description);
  });

  function offerKept(work) {
    const offer = byId('offer');
    const words = make('p');
    words.textContent = TEXTS.kept(work.title || baseName(work.folder));
    const again = make('button', 'button');
    again.type = 'button';
    again.textContent = TEXTS.resume;
    again.addEventListener('click', () => resume(work));
    const other = make('button', 'button');
    other.type = 'button';
    other.textContent = TEXTS.startOther;
    other.addEventListener('click', async () => {
      await keeping.forget();
      await keeping.clearFiles();
      offer.hidden = true;
      byId('new-files').focus();
    });
    offer.replaceChildren(words, again, other);
    offer.hidden = false;
    again.focus();
  }

  // --- Events ---------------------------------------------------------------------------------------
  // Runs a call of the module that answers with a snapshot, draws it, and keeps the quiz soon after.
  function act(call) {
    call();
    const snapshot = studio.module.json();
    if (snapshot.canUndo) studio.modified = true;
    draw(snapshot);
    keeping.soon();
    return snapshot;
  }

  const controlOf = (element) => {
    const owner = element && element.closest && element.closest('[data-control]');
    return owner ? Number(owner.dataset.control) : 0;
  };

  function command(id) {
    studio.lastCommand = id;
    writePlayers();
    act(() => studio.module.call('command', [], id));
  }

  function listen() {
    const main = byId('form');
    main.addEventListener('input', (event) => {
      const id = controlOf(event.target);
      if (event.target.tagName === 'INPUT' && id) act(() => studio.module.call('typed', [event.target.value], id));
    });
    main.addEventListener('focusout', (event) => {
      const id = controlOf(event.target);
      if (event.target.tagName === 'INPUT' && id) act(() => studio.module.call('left', [], id));
    });
    main.addEventListener('change', (event) => {
      const id = controlOf(event.target);
      if (event.target.tagName === 'SELECT' && id) act(() => studio.module.call('picked', [], id, event.target.selectedIndex));
    });
    document.addEventListener('click', (event) => {
      const target = event.target.closest('button');
      if (!target) return;
      const id = controlOf(target);
      if (target.classList.contains('problem')) {
        studio.module.call('picked', [], id, Number(target.dataset.row));
        act(() => studio.module.call('activated', [], id));
      } else if (id) {
        command(id);
      }
    });
    main.addEventListener('click', (event) => {
      const option = event.target.closest('[role=option]');
      if (option) act(() => studio.module.call('picked', [], controlOf(option), Number(option.dataset.row)));
    });
    main.addEventListener('keydown', (event) => {
      if (event.target.getAttribute('role') === 'listbox') return listKey(event);
      if (event.key === 'Enter' && event.target.tagName === 'INPUT' && !event.isComposing) {
        event.preventDefault();
        act(() => studio.module.call('enter', [], controlOf(event.target)));
      }
    });
    document.addEventListener('keydown', shortcut);
    listenToFiles();
    // Kept in the browser or not, changes not yet created are worth a question before leaving.
    window.addEventListener('beforeunload', (event) => {
      if (!studio.folder || !(studio.modified || keeping.pending())) return;
      keeping.now();
      event.preventDefault();
      event.returnValue = '';
    });
  }

  function listKey(event) {
    const list = event.target;
    const count = list.children.length;
    const current = Number((list.querySelector('[aria-selected=true]') || { dataset: { row: -1 } }).dataset.row);
    const moves = { ArrowDown: current + 1, ArrowUp: current - 1, Home: 0, End: count - 1,
                    PageDown: current + 8, PageUp: current - 8 };
    if (!(event.key in moves) || !count) return;
    event.preventDefault();
    const row = Math.max(0, Math.min(count - 1, moves[event.key]));
    act(() => studio.module.call('picked', [], controlOf(list), row));
  }

  // The window's keyboard shortcuts.
  function shortcut(event) {
    const keys = {
      z: 'STUDIO_CMD_UNDO', y: 'STUDIO_CMD_REDO', n: 'new-folder', o: 'open-files', s: 'keep',
    };
    if (event.key === 'F5' && studio.folder) {
      event.preventDefault();
      command(form.ids.STUDIO_CMD_TRY_QUIZ);
      return;
    }
    if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
    const what = keys[event.key.toLowerCase()];
    if (!what) return;
    // A text field keeps its own undo while the author types; the studio's undo steps whole answers.
    event.preventDefault();
    if (what === 'keep') keeping.now();
    else if (what.startsWith('STUDIO')) { if (studio.folder) command(form.ids[what]); }
    else byId(what).click();
  }

  function listenToFiles() {
    byId('new-files').addEventListener('change', (event) => newQuiz([...event.target.files], false));
    byId('new-folder').addEventListener('change', (event) => newQuiz([...event.target.files], true));
    byId('open-files').addEventListener('change', (event) => openQuiz([...event.target.files]));
    for (const id of ['new-files', 'new-folder', 'open-files'])
      byId(id).addEventListener('click', (event) => { event.target.value = ''; });
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', async (event) => {
      event.preventDefault();
      const entries = [...event.dataTransfer.items].map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry());
      if (entries.length === 1 && entries[0] && entries[0].isDirectory)
        return newQuiz(await droppedFolder(entries[0]), true);
      const files = [...event.dataTransfer.files];
      if (!files.length) return;
      if (!studio.folder) return newQuiz(files, false);
      const paths = await addFiles(files, studio.folder);
      if (paths.length) act(() => studio.module.call('dropped', [paths.join('\n')]));
    });
  }

  // The files of a folder dropped on the page, each with its path below the folder as the folder input
  // gives it: its own files, and those of its folders too where it holds a description.
  async function droppedFolder(folder) {
    const read = (directory) => new Promise((resolve, reject) => {
      const reader = directory.createReader();
      const all = [];
      const more = () => reader.readEntries((batch) => (batch.length ? (all.push(...batch), more()) : resolve(all)), reject);
      more();
    });
    const files = [];
    const walk = async (directory, path, depth) => {
      const entries = await read(directory);
      const described = entries.some((entry) => entry.isFile && extension(entry.name) === 'toml');
      for (const entry of entries) {
        if (entry.isFile) {
          const file = await new Promise((resolve, reject) => entry.file(resolve, reject));
          file.fenokPath = `${path}/${entry.name}`;
          files.push(file);
        } else if (entry.isDirectory && (described || depth > 0) && depth < DEEPEST_FOLDER) {
          await walk(entry, `${path}/${entry.name}`, depth + 1);
        }
      }
    };
    try {
      await walk(folder, folder.name, 0);
    } catch (error) {
      showMessage(TEXTS.folderUnreadable(folder.name), 'error');
    }
    return files;
  }

  // --- Start ----------------------------------------------------------------------------------------
  const studio = {
    module: null,
    folder: '',
    folders: 0,
    title: '',
    modified: false,
    lastCommand: 0,
    lastFocus: undefined,
    createKind: 0,
    wasm: null,  // the module's bytes, for the workers where its compiled code cannot be sent
    compiled: null,  // the module compiled once, for the page and its workers
    playersWritten: false,
    originals: new Map(),  // path in the module -> the author's File or kept Blob
  };

  async function start() {
    byId('start').textContent = TEXTS.start;
    byId('form').hidden = true;
    form.build(JSON.parse(byId('fenok-window').textContent));
    if (!WebAssembly.validate(VECTOR_PROBE)) {
      showMessage(TEXTS.browserTooOld, 'error');
      return;
    }
    try {
      studio.wasm = fenokBase64Bytes(byId('fenok-studio-module').textContent);
      studio.compiled = await WebAssembly.compile(studio.wasm);
      studio.module = new Module(await fenokStudio(instantiatedFrom(studio.compiled)));
    } catch (error) {
      showMessage(TEXTS.studioBroken, 'error');
      return;
    }
    window.fenokStudioPage = studio;  // for checks from outside
    listen();
    studio.module.call('start', ['']);
    await keeping.open();
    const work = await keeping.work();
    if (work && work.folder && typeof work.description === 'string') offerKept(work);
    document.body.dataset.ready = String(performance.now());
    // The workers are made ready while the author chooses the pictures, not after.
    setTimeout(() => fitters.start(), 0);
  }

  document.addEventListener('DOMContentLoaded', start);

  // The module's options that instantiate it from code compiled before: the page and its workers share
  // that code, and the faster code the engine makes of it once it runs hot.
  function instantiatedFrom(compiled) {
    return {
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled));
        return {};
      },
    };
  }

  // A worker is sent the compiled module, or its bytes where this browser cannot send compiled code.
  function postModule(worker) {
    try {
      worker.postMessage({ compiled: studio.compiled });
    } catch (error) {
      worker.postMessage({ wasm: studio.wasm });
    }
  }

  // In a worker: the studio's module, fitting the pictures the page sends, one at a time.
  function fitPicturesInThisWorker() {
    let entries = null;
    self.onmessage = async (event) => {
      const message = event.data;
      try {
        if (message.compiled || message.wasm) {
          const options = message.compiled ? instantiatedFrom(message.compiled) : { wasmBinary: message.wasm };
          entries = fenokStudio(options).then((module) => new FenokEntries(module, 'fenok_studio_'));
          return;
        }
        const fitter = await entries;
        fitter.call('fit', [message.bytes]);
        const fitted = fitter.bytes();
        self.postMessage({ id: message.id, fitted }, [fitted.buffer]);
      } catch (error) {
        self.postMessage({ failed: true });
      }
    };
  }
})();
