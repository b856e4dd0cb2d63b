// The quiz page's screen. Everything the quiz does happens in the web player (the program's own C++):
// this script hands it the page's events and draws what the program's panels then show. Quiz texts
// only ever reach the page as text (textContent, never markup).
'use strict';
(function () {
  const TEXTS = {
    caption: 'Fenok',
    ok: 'OK',
    playerBroken: 'Cette page est abîmée : son lecteur de quiz ne démarre pas. Téléchargez-la de nouveau ou demandez-la à son auteur.',
    unexpected: 'Une erreur inattendue est survenue : ',
    resumeFailed: 'Ce fichier de réponses ne peut pas être lu : ',
    clipUnplayable: 'Ce navigateur ne sait pas lire ce clip.',
    progressNotKept: 'Ce navigateur ne garde pas les réponses de cette page : pensez à « Sauver ».',
  };
  const STORAGE_PREFIX = 'fenok:';
  const COMMIT_KEYS = ['Enter', 'F1', 'F2'];  // the keys an answer box acts on when released

  const byId = (id) => document.getElementById(id);
  const make = (tag, className) => {
    const element = document.createElement(tag);
    if (className) element.className = className;
    return element;
  };

  // --- Messages: the program's message boxes, and the page's own troubles ---------------------------
  function showMessage(caption, text) {
    const box = make('p', 'message');
    const title = make('strong');
    title.textContent = caption;
    const close = make('button');
    close.type = 'button';
    close.textContent = TEXTS.ok;
    close.addEventListener('click', () => box.remove());
    box.append(title, document.createTextNode(text), close);
    byId('messages').append(box);
  }
  window.addEventListener('error', (event) => showMessage(TEXTS.caption, TEXTS.unexpected + event.message));
  window.addEventListener('unhandledrejection', (event) =>
    showMessage(TEXTS.caption, TEXTS.unexpected + String(event.reason && event.reason.message || event.reason)));

  // --- The web player's entry points: bytes in, bytes out ------------------------------------------
  class Player extends FenokEntries {
    constructor(module) { super(module, 'fenok_web_'); }

    open(quiz, pageName) { this.call('open', [quiz, pageName]); return this.text(); }
    start(answers) { this.call('start', [answers]); return this.json(); }
    enter(box) { this.call('enter', [], box); return this.json(); }
    leave(box, typed) { this.call('leave', [typed], box); return this.json(); }
    key(box, typed, key) { this.call('key', [typed, key], box); return this.json(); }
    setText(box, typed) { this.call('set_text', [typed], box); }
    hide(checked) { this.call('hide', [], checked ? 1 : 0); return this.json(); }
    save() { this.call('save', []); return this.json(); }
    play(question) { this.call('play', [], question); return this.json(); }
    stop(question) { this.call('stop', [], question); return this.json(); }
    clipEnded(question) { this.call('clip_ended', [], question); return this.json(); }
    answers() { this.call('answers', []); return this.bytes(); }
    fit(width, height) { this.call('fit', [], width, height); return this.json(); }
    picture(id) { this.call('picture', [], id); return new Blob([this.bytes()], { type: this.type() }); }
    clip(question) { this.call('clip', [], question); return new Blob([this.bytes()], { type: this.type() }); }
    // For checking the judge and timing it: "typed<TAB>expected" lines in, one verdict a line out.
    verdicts(lines, also, tolerant) {
      this.call('verdicts', [lines, also.join('\n')], tolerant ? 1 : 0);
      return this.text();
    }
  }

  // --- Progress kept in the browser, under the quiz's identity -------------------------------------
  const storage = {
    key: '',
    load() {
      try {
        const kept = window.localStorage.getItem(this.key);
        if (kept === null) return new Uint8Array(0);
        return Uint8Array.from(kept, (c) => c.charCodeAt(0));
      } catch (e) {
        return new Uint8Array(0);
      }
    },
    keep(bytes) {
      try {
        let kept = '';
        for (const byte of bytes) kept += String.fromCharCode(byte);
        window.localStorage.setItem(this.key, kept);
        return true;
      } catch (e) {
        return false;
      }
    },
  };

  // --- Drawing what the panels show ---------------------------------------------------------------
  const page = {
    player: null,
    questions: [],  // per question: its elements and the state of its clip
    boxes: new Map(),  // box identifier -> {input, verdict}
    urls: new Map(),   // picture resource -> blob URL
    damageShown: false,
    storageWarned: false,
  };

  function setColours(snapshot) {
    const root = document.documentElement.style;
    const colours = snapshot.colours;
    for (const [name, value] of Object.entries({
      '--panel': colours.panel, '--label': colours.label, '--question': colours.question,
      '--question-ink': colours.questionInk, '--header': colours.header, '--link': colours.link,
    })) {
      if (value) root.setProperty(name, value);
    }
    const layout = snapshot.layout;
    const pixels = {
      '--box': layout.box, '--pitch': layout.pitch, '--number-gap': layout.numberGap,
      '--picture-gap': layout.pictureGap, '--line': layout.line, '--pair-verdict': layout.pairVerdict,
      '--button': layout.button, '--video-w': layout.videoWidth, '--comment-h': layout.commentHeight,
      '--window': layout.window, '--text-question': layout.textQuestion, '--text-box': layout.textBox,
      '--text-verdict': layout.textVerdict, '--counter-font': layout.counterFont, '--title-font': layout.titleFont,
      '--box-font': layout.boxFont,
    };
    for (const [name, value] of Object.entries(pixels)) root.setProperty(name, value + 'px');
    root.setProperty('--columns', String(layout.columns));
    root.setProperty('--video-ratio', layout.videoWidth + ' / ' + layout.videoHeight);
  }

  function drawHeader(snapshot) {
    document.title = snapshot.title;
    byId('title').textContent = snapshot.title;
    byId('explanation').textContent = snapshot.explanation;
    byId('by').textContent = snapshot.by;
    byId('author').textContent = snapshot.author;
    byId('save').textContent = snapshot.save;
    byId('code-caption').textContent = snapshot.codeCaption.trim();
    const link = byId('link');
    link.textContent = snapshot.link;
    if (snapshot.href) link.href = snapshot.href;
    else link.removeAttribute('href');
    byId('hide-line').hidden = !snapshot.hide;
    if (snapshot.hide) byId('hide-label').textContent = snapshot.hide.label;
  }

  function boxLine(box, caption, single) {
    const line = make('div', 'line ' + (single ? 'single' : 'pair'));
    if (caption) {
      const label = make('span', 'caption');
      label.textContent = caption;
      label.setAttribute('aria-hidden', 'true');
      line.append(label);
    }
    const input = make('input');
    input.type = 'text';
    input.id = 'box-' + box.id;
    input.autocomplete = 'off';
    input.spellcheck = false;
    input.setAttribute('autocapitalize', 'characters');
    input.setAttribute('aria-label', box.name);
    if (box.limit > 0) input.maxLength = box.limit;
    const verdict = make('output', 'verdict');
    verdict.id = 'verdict-' + box.id;
    verdict.setAttribute('aria-live', 'polite');
    input.setAttribute('aria-describedby', verdict.id);
    line.append(input, verdict);
    page.boxes.set(box.id, { input, verdict });
    listenToBox(input, box.id);
    return line;
  }

  function clipButtons(question, number) {
    const buttons = make('div', 'clip-buttons');
    for (const [label, glyph, action] of [[question.clip.play, '▶', 'play'], [question.clip.stop, '■', 'stop']]) {
      const button = make('button');
      button.type = 'button';
      button.textContent = glyph;
      button.setAttribute('aria-label', label);
      button.title = label;
      button.addEventListener('click', () => draw(page.player[action](number)));
      buttons.append(button);
    }
    return buttons;
  }

  function gridCell(snapshot, question, number) {
    const cell = make('section', 'cell ' + snapshot.kind);
    const media = make('div', 'media');
    const parts = { cell, media };
    if (snapshot.kind === 'pictures') {
      parts.image = make('img');
      parts.image.alt = question.boxes[0].name;
      // Shown at the size the program fits it to, enlarged too.
      parts.image.addEventListener('load', () => {
        const fitted = page.player.fit(parts.image.naturalWidth, parts.image.naturalHeight);
        parts.image.width = fitted.width;
        parts.image.height = fitted.height;
      });
      media.append(parts.image);
    } else if (question.clip) {
      parts.clip = make(snapshot.kind === 'video' ? 'video' : 'audio');
      parts.clip.preload = 'none';
      parts.clip.playsInline = true;
      parts.clip.addEventListener('ended', () => draw(page.player.clipEnded(number)));
      parts.clip.addEventListener('error', () => { parts.note.hidden = false; });
      media.append(parts.clip);
    }
    const answers = make('div', 'answers');
    const label = make('span', 'number');
    label.textContent = question.number;
    label.setAttribute('aria-hidden', 'true');
    answers.append(label);
    if (question.clip) answers.append(clipButtons(question, number));
    const lines = make('div', 'lines');
    const single = question.boxes.length === 1;
    question.boxes.forEach((box, k) => lines.append(boxLine(box, single ? '' : snapshot.captions[k], single)));
    answers.append(lines);
    cell.append(media, answers);
    if (question.clip) {
      parts.note = make('p', 'clip-note');
      parts.note.textContent = TEXTS.clipUnplayable;
      parts.note.hidden = true;
      cell.append(parts.note);
    }
    if ('comment' in question) {
      parts.comment = make('p', 'comment');
      cell.append(parts.comment);
    }
    parts.clipState = { state: 'stopped', starts: 0 };
    return parts;
  }

  function textRow(question) {
    const row = make('div', 'row');
    const label = make('span', 'number');
    label.textContent = question.number;
    label.setAttribute('aria-hidden', 'true');
    const text = make('p', 'question-text');
    text.textContent = question.text || '';
    const line = boxLine(question.boxes[0], '', true);
    row.append(label, text, ...line.childNodes);
    return { cell: row };
  }

  function build(snapshot) {
    setColours(snapshot);
    drawHeader(snapshot);
    const quiz = byId('quiz');
    quiz.replaceChildren();
    page.boxes.clear();
    const container = make('div', snapshot.kind === 'text' ? 'rows' : 'grid');
    page.questions = snapshot.questions.map((question, index) => {
      const parts = snapshot.kind === 'text' ? textRow(question) : gridCell(snapshot, question, index + 1);
      container.append(parts.cell);
      return parts;
    });
    quiz.append(container);
  }

  function pictureUrl(id) {
    if (!page.urls.has(id)) page.urls.set(id, URL.createObjectURL(page.player.picture(id)));
    return page.urls.get(id);
  }

  // The page's element follows what the program told the question's player.
  function followClip(parts, clip, number) {
    const element = parts.clip;
    const before = parts.clipState;
    if (!element) return;
    if (clip.starts !== before.starts && clip.state === 'playing') {
      if (element.src) URL.revokeObjectURL(element.src);
      parts.note.hidden = true;
      element.src = URL.createObjectURL(page.player.clip(number));
      element.currentTime = 0;
      element.play().catch(() => { parts.note.hidden = false; });
    } else if (clip.state !== before.state) {
      if (clip.state === 'playing') element.play().catch(() => { parts.note.hidden = false; });
      else element.pause();
      if (clip.state === 'stopped' && element.src) element.currentTime = 0;
    }
    parts.clipState = { state: clip.state, starts: clip.starts };
  }

  // Text is replaced only where it changed: a verdict is a live region, which a screen reader announces
  // whenever its text is set.
  function setText(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  function update(snapshot) {
    setText(byId('score'), snapshot.score);
    setText(byId('code'), snapshot.code);
    if (snapshot.hide) byId('hide').checked = snapshot.hide.checked;
    snapshot.questions.forEach((question, index) => {
      const parts = page.questions[index];
      if (!parts) return;
      if (parts.image) {
        parts.image.hidden = !question.picture || !question.pictureShown;
        const url = question.picture ? pictureUrl(question.picture) : '';
        if (url && parts.image.getAttribute('src') !== url) parts.image.src = url;
        parts.media.hidden = !question.pictureShown;
      }
      if (parts.comment) {
        setText(parts.comment, question.comment);
        parts.comment.classList.toggle('hidden', !question.commentShown);
      }
      if (question.clip) followClip(parts, question.clip, index + 1);
      for (const box of question.boxes) {
        const shown = page.boxes.get(box.id);
        if (!shown) continue;
        if (shown.input.value !== box.text) shown.input.value = box.text;
        setText(shown.verdict, box.verdict);
        shown.verdict.style.backgroundColor = box.tint;
      }
    });
  }

  function download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
    const anchor = make('a');
    anchor.href = url;
    anchor.download = name;
    document.body.append(anchor);
    anchor.click();
    anchor.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  function keepProgress() {
    if (!page.player || storage.keep(page.player.answers()) || page.storageWarned) return;
    page.storageWarned = true;
    showMessage(TEXTS.caption, TEXTS.progressNotKept);
  }

  // Draws a snapshot, shows what happened with it, and keeps the answers in the browser.
  function draw(snapshot) {
    update(snapshot);
    for (const message of snapshot.messages) showMessage(message.caption, message.text);
    if (snapshot.damage && !page.damageShown) {
      page.damageShown = true;
      showMessage(TEXTS.caption, snapshot.damage);
    }
    if (snapshot.saved) download(snapshot.saved, page.player.answers());
    keepProgress();
  }

  function start(answers) {
    const snapshot = page.player.start(answers);
    build(snapshot);
    draw(snapshot);
  }

  // --- Events --------------------------------------------------------------------------------------
  function listenToBox(input, id) {
    input.addEventListener('focus', () => {
      const selection = page.player.enter(id);
      input.setSelectionRange(selection.from, selection.to);
    });
    input.addEventListener('blur', () => draw(page.player.leave(id, input.value)));
    input.addEventListener('keydown', (event) => {
      if (event.key === 'F1' || event.key === 'F2') event.preventDefault();  // not the browser's help
    });
    input.addEventListener('keyup', (event) => {
      if (event.isComposing || !COMMIT_KEYS.includes(event.key)) return;
      event.preventDefault();
      draw(page.player.key(id, input.value, event.key));
    });
  }

  // Closing the tab or leaving for another app keeps what is typed, as closing the program saves it.
  function keepTypedAnswers() {
    if (!page.player) return;
    for (const [id, shown] of page.boxes) page.player.setText(id, shown.input.value);
    keepProgress();
  }

  function listenToHeader() {
    byId('hide').addEventListener('change', (event) => draw(page.player.hide(event.target.checked)));
    byId('save').addEventListener('click', () => draw(page.player.save()));
    const file = byId('resume-file');
    byId('resume').addEventListener('click', () => file.click());
    file.addEventListener('change', async () => {
      const chosen = file.files[0];
      file.value = '';
      if (!chosen) return;
      try {
        const hidden = byId('hide').checked;
        start(new Uint8Array(await chosen.arrayBuffer()));
        if (hidden) draw(page.player.hide(true));
      } catch (error) {
        showMessage(TEXTS.caption, TEXTS.resumeFailed + error.message);
      }
    });
    window.addEventListener('pagehide', keepTypedAnswers);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') keepTypedAnswers();
    });
  }

  function pageName() {
    try {
      return decodeURIComponent(window.location.pathname.split('/').pop() || '');
    } catch (e) {
      return '';
    }
  }

  async function main() {
    let module;
    try {
      module = await fenokWebPlayer({ wasmBinary: fenokBase64Bytes(byId('fenok-player').textContent) });
    } catch (error) {
      showMessage(TEXTS.caption, TEXTS.playerBroken);
      return;
    }
    page.player = new Player(module);
    window.fenokPage = page.player;  // for checking the judge and timing it from outside
    const quizElement = byId('fenok-quiz');
    storage.key = STORAGE_PREFIX + page.player.open(quizElement ? quizElement.textContent : '', pageName());
    listenToHeader();
    start(storage.load());
    document.body.dataset.ready = String(performance.now());
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', main);
  else main();
})();
