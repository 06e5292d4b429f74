// The designer: a property grid built from /v1/controls, a live preview from the symbol URL.
'use strict';

(() => {
  const $ = (id) => document.getElementById(id);
  let catalog = null;
  let kind = null;
  // Only values that differ from the defaults go into the URL, in grid order.
  const values = new Map();
  const options = new Map();
  let timer = 0;
  let generation = 0;
  let objectUrl = null;

  // Quorvantix-Notes: "severity: text; ...", with %XX for bytes that a header cannot carry.
  function parseNotes(header) {
    if (!header) return [];
    return header.split('; ').map((item) => {
      const colon = item.indexOf(': ');
      const text = item.slice(colon + 2).replace(/%([0-9A-F]{2})/g,
        (_, hex) => String.fromCharCode(parseInt(hex, 16)));
      return { severity: item.slice(0, colon), text };
    });
  }

  function sameValue(prop, text) {
    if (prop.type === 'color') return text.toLowerCase() === prop.default.toLowerCase();
    return text === prop.default;
  }

  function inputFor(prop, onChange) {
    let input;
    if (prop.type === 'enum') {
      input = document.createElement('select');
      for (const name of prop.values) input.add(new Option(name, name));
      input.value = prop.default;
    } else {
      input = document.createElement('input');
      if (prop.type === 'boolean') {
        input.type = 'checkbox';
        input.checked = prop.default === 'true';
      } else if (prop.type === 'color' && /^#[0-9a-fA-F]{6}$/.test(prop.default)) {
        input.type = 'color';
        input.value = prop.default.toLowerCase();
      } else if (['integer', 'short', 'double'].includes(prop.type)) {
        input.type = 'number';
        input.step = prop.type === 'double' ? 'any' : '1';
        input.value = prop.default;
      } else {
        input.type = 'text';
        input.value = prop.default;
      }
    }
    input.id = 'prop-' + prop.name;
    input.name = prop.name;
    input.title = prop.help;
    const read = () => (input.type === 'checkbox' ? String(input.checked) : input.value);
    input.addEventListener(input.tagName === 'SELECT' || input.type === 'checkbox' ? 'change' : 'input',
      () => onChange(read()));
    return input;
  }

  function row(body, label, help, input) {
    const tr = body.insertRow();
    const name = tr.insertCell();
    name.textContent = label;
    name.title = help;
    const cell = tr.insertCell();
    cell.appendChild(input);
    return name;
  }

  function buildGrid() {
    const body = $('grid').tBodies[0];
    body.replaceChildren();
    values.clear();
    for (const prop of kind.properties) {
      if (prop.access === 'read-only') continue;
      let label = null;
      const input = inputFor(prop, (text) => {
        if (sameValue(prop, text)) values.delete(prop.name);
        else values.set(prop.name, text);
        label.classList.toggle('changed', values.has(prop.name));
        schedule();
      });
      label = row(body, prop.name, prop.help, input);
    }
    const optionBody = $('options').tBodies[0];
    optionBody.replaceChildren();
    options.clear();
    for (const option of catalog.options) {
      const flag = option.argument === '';
      const prop = { name: option.name, type: flag ? 'boolean' : 'string',
        default: flag ? 'false' : '', help: option.help };
      const input = inputFor(prop, (text) => {
        if (text === prop.default) options.delete(option.name);
        else options.set(option.name, text);
        schedule();
      });
      input.id = 'option-' + option.name;
      if (!flag) input.placeholder = option.argument;
      row(optionBody, option.name, option.help, input);
    }
    $('summary').textContent = kind.summary;
  }

  function query() {
    const q = new URLSearchParams();
    for (const [name, text] of values) q.append(name, text);
    for (const [name, text] of options) q.append(name, text);
    return q.toString();
  }

  function symbolPath(format) {
    const q = query();
    return '/v1/' + kind.name + '.' + format + (q ? '?' + q : '');
  }

  function showNotes(notes) {
    const list = $('notes');
    list.replaceChildren();
    for (const note of notes) {
      const li = document.createElement('li');
      li.className = note.severity;
      li.textContent = note.severity + ': ' + note.text;
      list.appendChild(li);
    }
  }

  function schedule() {
    clearTimeout(timer);
    timer = setTimeout(refresh, 150);
  }

  async function refresh() {
    const mine = ++generation;
    const path = symbolPath('png');
    $('url').value = location.origin + path;
    $('download-png').href = path;
    $('download-svg').href = symbolPath('svg');
    $('stage').classList.add('stale');
    const preview = $('preview');
    preview.dataset.state = 'loading';
    try {
      const response = await fetch(path);
      if (mine !== generation) return;
      const notes = parseNotes(response.headers.get('Quorvantix-Notes'));
      if (!response.ok) {
        const problem = await response.json().catch(() => ({ error: response.statusText }));
        if (mine !== generation) return;
        $('status').textContent = problem.error;
        $('status').className = 'error';
        showNotes(problem.notes || notes);
        preview.dataset.state = 'error';
        return;
      }
      const blob = await response.blob();
      if (mine !== generation) return;
      if (objectUrl) URL.revokeObjectURL(objectUrl);
      objectUrl = URL.createObjectURL(blob);
      preview.onload = () => {
        if (mine !== generation) return;
        preview.dataset.state = 'ready';
        preview.dataset.path = path;
      };
      preview.src = objectUrl;
      $('stage').classList.remove('stale');
      $('status').textContent = '';
      $('status').className = '';
      showNotes(notes);
    } catch (e) {
      if (mine !== generation) return;
      $('status').textContent = 'the service did not answer: ' + e.message;
      $('status').className = 'error';
      preview.dataset.state = 'error';
    }
  }

  function choose(name) {
    kind = catalog.controls.find((c) => c.name === name);
    buildGrid();
    refresh();
  }

  async function start() {
    const response = await fetch('/v1/controls');
    catalog = await response.json();
    const select = $('control');
    for (const c of catalog.controls) select.add(new Option(c.name, c.name));
    select.addEventListener('change', () => choose(select.value));
    $('reset').addEventListener('click', () => choose(kind.name));
    $('copy').addEventListener('click', async () => {
      $('url').select();
      try {
        await navigator.clipboard.writeText($('url').value);
      } catch (e) {
        document.execCommand('copy');
      }
    });
    choose(catalog.controls[0].name);
  }

  start().catch((e) => {
    $('status').textContent = 'the property tables could not be loaded: ' + e.message;
    $('status').className = 'error';
  });
})();
