// Writes a store project by hand, generates its site with the real
// `vendaro generate` and serves the site on a free loopback port.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const PROJECT = 'Shop';

// Lines of a project file: each followed by CR LF.
function projectFileText(lines) {
  return lines.map((line) => line + '\r\n').join('');
}

// Writes {app folder}/Shop with Shop.caa and one {category}.pro per
// category (records of seven "^"-terminated fields) and, when given, the
// settings file vendaro.toml, runs `vendaro generate` with `flags` and
// returns the project folder that now holds the site.
export function generateShop(categories, flags = [], settings = '') {
  const binary = process.env.VENDARO_BIN;
  if (!binary) throw new Error('VENDARO_BIN must name the vendaro program');
  const appFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'vendaro-shop-'));
  const folder = path.join(appFolder, PROJECT);
  fs.mkdirSync(folder);
  if (settings) fs.writeFileSync(path.join(appFolder, 'vendaro.toml'), settings);
  fs.writeFileSync(path.join(folder, PROJECT + '.caa'),
    projectFileText(categories.map((category) => category.name)));
  for (const category of categories) {
    const records = category.items.map((fields) => fields.map((field) => field + '^').join(''));
    fs.writeFileSync(path.join(folder, category.name + '.pro'), projectFileText(records));
  }
  execFileSync(binary, ['generate', '--app-folder', appFolder, ...flags, PROJECT], {
    env: { ...process.env, HOME: appFolder, XDG_CONFIG_HOME: appFolder, XDG_DATA_HOME: appFolder },
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  return { folder, appFolder, remove: () => fs.rmSync(appFolder, { recursive: true, force: true }) };
}

// Runs `handler` as an HTTP server on 127.0.0.1 at a free port.
export async function serve(handler) {
  const server = http.createServer(handler);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}

const CONTENT_TYPES = { '.css': 'text/css', '.js': 'text/javascript', '.html': 'text/html; charset=utf-8' };

// Serves the files of `folder` (no sub-folders).
export function serveFolder(folder) {
  return serve((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname.slice(1));
    const file = path.join(folder, name);
    if (name.includes('/') || name.includes('\\') || !fs.existsSync(file) ||
        !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    const type = CONTENT_TYPES[path.extname(name)] || 'text/html';
    response.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' });
    response.end(fs.readFileSync(file));
  });
}
