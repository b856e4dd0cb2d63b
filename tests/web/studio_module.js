// The page studio's module (WebAssembly, in Node): the author's files written through its entry
// points, a folder drafted by the studio's own C++, an answer typed and undone, and the three outputs
// created from it byte-identical to what fenok-pack builds from the description the module saves.
// Usage: node studio_module.js MODULE.js FENOK_PACK WIN32_BIN WIN64_BIN WEB_PLAYER.html FIXTURES WORK
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

const [modulePath, pack, win32Bin, win64Bin, webPlayer, fixtures, work] = process.argv.slice(2);
const QUESTIONS = 1020, ANSWER = 1037, CMD_SAVE = 40003, CMD_CREATE = 40011, CMD_UNDO = 40020;
let failures = 0;
const check = (what, ok, detail) => {
  if (ok) console.log(`studio-module: ok: ${what}`);
  else { failures++; console.log(`studio-module: FAIL: ${what}${detail === undefined ? '' : `: ${detail}`}`); }
};

require(modulePath)({ wasmBinary: fs.readFileSync(modulePath.replace(/\.js$/, '.wasm')) }).then((m) => {
  const encoder = new TextEncoder();
  const withBytes = (bytes, use) => {
    const at = m._malloc(Math.max(1, bytes.length));
    m.HEAPU8.set(bytes, at);
    try { return use(at, bytes.length); } finally { m._free(at); }
  };
  const withText = (text, use) => withBytes(encoder.encode(text), use);
  const output = () => m.HEAPU8.slice(m._fenok_studio_output(), m._fenok_studio_output() + m._fenok_studio_output_size());
  const snapshot = () => JSON.parse(new TextDecoder().decode(output()));
  const write = (file, bytes) => withText(file, (p, n) => withBytes(bytes, (b, k) => m._fenok_studio_write_file(p, n, b, k)));
  const read = (file) => { withText(file, (p, n) => m._fenok_studio_read_file(p, n)); return Buffer.from(output()); };

  const pictures = { 'tour-eiffel.jpg': 'quarters.jpg', 'arc.gif': 'quarters.gif' };
  for (const [name, fixture] of Object.entries(pictures)) write(`/work/photos/${name}`, fs.readFileSync(path.join(fixtures, fixture)));
  write('/work/photos/notes.txt', encoder.encode('a note'));
  const players = { 'fenok.exe': path.join(win32Bin, 'fenok.exe'), 'fenok64.exe': path.join(win64Bin, 'fenok.exe'),
                    'fenok-web.html': webPlayer };
  for (const [name, file] of Object.entries(players)) if (fs.existsSync(file)) write(`/fenok/${name}`, fs.readFileSync(file));

  withText('/work/photos', (p, n) => m._fenok_studio_start(p, n));
  let screen = snapshot();
  const rows = screen.controls.find((c) => c.id === QUESTIONS).rows;
  check('a question a picture, answers from the names', JSON.stringify(rows) === '[["1","ARC"],["2","TOUR EIFFEL"]]', JSON.stringify(rows));
  check('the note told as left out', screen.told.length === 1 && screen.told[0].message.includes('« notes.txt »'),
        JSON.stringify(screen.told));
  const answers = () => JSON.stringify(snapshot().controls.find((c) => c.id === QUESTIONS).rows);
  m._fenok_studio_picked(QUESTIONS, 1);
  withText('TOUR', (p, n) => m._fenok_studio_typed(p, n, ANSWER));
  check('an answer typed shows in the list', answers() === '[["1","ARC"],["2","TOUR"]]', answers());
  m._fenok_studio_command(CMD_UNDO);
  check('and is undone', answers() === '[["1","ARC"],["2","TOUR EIFFEL"]]', answers());
  m._fenok_studio_command(CMD_SAVE);
  const description = read('/work/photos/quiz.toml');
  check('the description saved', description.includes('answer = "TOUR EIFFEL"'));

  // The same description and pictures, built by fenok-pack on disk.
  const folder = path.join(work, 'photos');
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(path.join(folder, 'quiz.toml'), description);
  for (const [name, fixture] of Object.entries(pictures)) fs.copyFileSync(path.join(fixtures, fixture), path.join(folder, name));
  const kinds = [[0, 'fenok.exe', 'quiz32.exe', ['--stub', players['fenok.exe']]],
                 [1, 'fenok64.exe', 'quiz64.exe', ['--stub', players['fenok64.exe']]],
                 [2, 'fenok-web.html', 'quiz.html', ['--web-player', webPlayer]]];
  for (const [filter, player, name, options] of kinds) {
    if (!fs.existsSync(players[player])) { console.log(`studio-module: (${player} not built: ${name} not compared)`); continue; }
    withText(`/work/photos/${name}\n`, (p, n) => m._fenok_studio_answer_paths(p, n, filter));
    m._fenok_studio_command(CMD_CREATE);
    screen = snapshot();
    check(`${name} created`, screen.told.some((t) => t.tone === 'information'), JSON.stringify(screen.told));
    const expected = path.join(work, name);
    execFileSync(pack, ['build', path.join(folder, 'quiz.toml'), '-o', expected, ...options], { stdio: 'ignore' });
    check(`${name} byte-identical to fenok-pack build`, read(`/work/photos/${name}`).equals(fs.readFileSync(expected)));
  }

  // Formats only the browser reads: the page hands the pixels it decoded; a file it could not decode
  // is left out, said so. (The pixels here are the quarters picture, red, green / blue, white.)
  const quarters = new Uint8Array(64 * 32 * 4).map((_, i) => {
    const x = (i >> 2) % 64, y = (i >> 2) >> 6, channel = i & 3;
    const colour = [[255, 0, 0], [0, 255, 0], [0, 0, 255], [255, 255, 255]][(y >= 16) * 2 + (x >= 32)];
    return channel === 3 ? 255 : colour[channel];
  });
  const webp = fs.readFileSync(path.join(fixtures, '../../../win32/data/quarters.webp'));
  write('/work/browser/louvre.webp', webp);
  write('/work/browser/chat.heic', fs.readFileSync(path.join(fixtures, '../../../win32/data/quarters.heic')));
  withBytes(webp, (f, n) => withBytes(quarters, (p, k) => m._fenok_studio_hand_pixels(f, n, p, k, 64, 32)));
  withText('/work/browser', (p, n) => m._fenok_studio_start(p, n));
  screen = snapshot();
  const browserRows = screen.controls.find((c) => c.id === QUESTIONS).rows;
  check('a picture the browser decoded makes its question', JSON.stringify(browserRows) === '[["1","LOUVRE"]]',
        JSON.stringify(browserRows));
  check('one the browser cannot decode is told, with what to do',
        screen.told.length === 1 && /« chat\.heic » ne peut pas être lue : ce navigateur ne décode pas/.test(screen.told[0].message),
        JSON.stringify(screen.told));
  m._fenok_studio_picked(QUESTIONS, 0);
  m._fenok_studio_picture(1055, -1);
  const shown = output();
  check('its picture shown as the player fits it, red at the top left',
        shown.length > 8 && shown[0] + shown[1] * 256 === 260 && shown[8] > 200 && shown[9] < 60);

  console.log(failures ? `studio-module: ${failures} failed` : 'studio-module: all passed');
  process.exit(failures ? 1 : 0);
});
