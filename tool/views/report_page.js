// The report's profile chart: drawn from the page's data for the stretch
// in view; the wheel zooms about the pointer, a drag pans, a double click
// shows the whole route, and the cursor reads every profile at its cell
// and names the marks under it. Where more marks are in view than the
// chart has room for, each lane draws what its pixels can show; the
// tables build their rows when first opened.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const words = data.words;
  const NS = 'http://www.w3.org/2000/svg';
  const chart = document.getElementById('profile');
  const readout = document.getElementById('readout');
  const under = document.getElementById('under');
  const cell = data.cell;
  const cells = data.cells;
  const total = Math.max(cells * cell, 1);
  const left = 110, right = 1170, stripHeight = 70, gap = 26, lane = 18;
  // Above this many marks in view a lane is drawn as one shape.
  const detailed = 200;

  // The profiles cell by cell, from their runs.
  function series(runs) {
    const values = new Float64Array(cells);
    for (let k = 0; k < runs.length; k += 2) {
      const end = k + 2 < runs.length ? runs[k + 2] : cells;
      values.fill(runs[k + 1], runs[k], end);
    }
    return values;
  }
  const profiles = {
    gradient: series(data.gradient), line: series(data.line),
    met: series(data.met), adhesion: series(data.adhesion),
    height: new Float64Array(cells),
  };
  // The height at each cell's start: the gradients climbed so far.
  for (let i = 1, h = 0; i < cells; ++i) {
    h += profiles.gradient[i - 1] * cell / 1000;
    profiles.height[i] = h;
  }
  const hundredths = (v) => Math.sign(v) * Math.round(Math.abs(v) * 100) / 100;

  const strips = [
    {title: words.height, series: [['height', 'height']], step: false},
    {title: words.gradient, series: [['gradient', 'gradient']], step: true},
    {title: words.speed, series: [['line', 'line'], ['met', 'met']], step: true},
    {title: words.adhesion, series: [['adhesion', 'adhesion']], step: true},
  ];
  const lanesTop = 14 + strips.length * (stripHeight + gap) + 8;
  const lanes = [words.track, words.signals, words.slowDowns,
                 words.speedBoards, words.signboards];
  const bottom = lanesTop + lanes.length * lane;
  const height = bottom + 34;
  chart.setAttribute('viewBox', '0 0 1200 ' + height);
  chart.setAttribute('height', height);
  let view = {from: 0, to: total};

  const x = (m) => left + (m - view.from) / (view.to - view.from) * (right - left);
  const metreAt = (px) => view.from + (px - left) / (right - left) * (view.to - view.from);

  function element(name, attributes, parent, title) {
    const e = document.createElementNS(NS, name);
    for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
    if (title) {
      const t = document.createElementNS(NS, 'title');
      t.textContent = title;
      e.appendChild(t);
    }
    (parent || chart).appendChild(e);
    return e;
  }
  function text(px, py, content, cls) {
    const t = element('text', {x: px, y: py, class: cls || 'label'});
    t.textContent = content;
    return t;
  }

  // A range with room for the values and 0, in round steps.
  function range(keys) {
    let low = 0, high = 1;
    for (const key of keys) {
      const values = profiles[key];
      for (let i = 0; i < values.length; ++i) {
        if (values[i] < low) low = values[i];
        if (values[i] > high) high = values[i];
      }
    }
    const raw = (high - low) / 4;
    const power = Math.pow(10, Math.floor(Math.log10(raw)));
    const step = [1, 2, 5, 10].map((f) => f * power).find((s) => s >= raw);
    return {low: Math.floor(low / step) * step, high: Math.ceil(high / step) * step, step};
  }
  const ranges = strips.map((s) => range(s.series.map(([key]) => key)));

  // A profile's line over the cells in view: every step while a cell is
  // wider than a pixel, else the lowest and highest value in each pixel.
  function profileLine(values, step, y, first, last) {
    const points = [];
    const perPixel = (last - first + 1) / (right - left);
    if (perPixel <= 1) {
      for (let i = first; i <= last; ++i) {
        const py = y(values[i]);
        points.push(x(i * cell) + ',' + py);
        if (step) points.push(x((i + 1) * cell) + ',' + py);
      }
      return points.join(' ');
    }
    // The pixel's column runs from the value it meets first to the one it
    // leaves with, through its extremes.
    const pixel = (right - left) / (view.to - view.from) * cell;
    const origin = x(0);
    for (let i = first; i <= last;) {
      const px = Math.floor(origin + i * pixel);
      let low = values[i], high = values[i];
      const rising = values[i] <= values[Math.min(i + Math.ceil(1 / pixel), last)];
      for (; i <= last && Math.floor(origin + i * pixel) === px; ++i) {
        if (values[i] < low) low = values[i];
        if (values[i] > high) high = values[i];
      }
      points.push(px + ',' + y(rising ? low : high));
      if (low !== high) points.push(px + ',' + y(rising ? high : low));
    }
    return points.join(' ');
  }

  // Marks of one kind in a lane: each its own shape, with its tooltip,
  // while few are in view; else one shape with a mark per pixel.
  function marks(list, shape, cls, parent) {
    if (list.length <= detailed) {
      for (const m of list) element(shape.tag, shape.one(m), parent, m.text).setAttribute('class', cls);
      return;
    }
    const drawn = new Set();
    let path = '';
    for (const m of list) {
      const key = Math.round(x(m.from)) + ':' + Math.round(x(m.to));
      if (drawn.has(key)) continue;
      drawn.add(key);
      path += shape.path(m);
    }
    element('path', {d: path, class: cls}, parent);
  }

  const objects = data.objects.map(([lane, cellIndex, at, text]) =>
    ({kind: data.kinds[lane], lane: lane + 1, cell: cellIndex, from: at, to: at, text}));
  const stretches = (list) => list.map(([from, to, value, text]) => ({from, to, value, text}));
  const curves = stretches(data.curves);
  const mountains = stretches(data.mountains);
  const slowDowns = stretches(data.slowDowns);
  const stations = data.stations.map(([number, progressive, type, start, end, time, name, text]) =>
    ({number, progressive, type, from: start, to: end, time, name, text}));
  const inView = (list) => list.filter((m) => m.to >= view.from - cell && m.from <= view.to + cell);
  const laneMiddle = (k) => lanesTop + k * lane + lane / 2;
  const band = (top, h) => ({
    tag: 'rect',
    one: (m) => ({x: x(m.from), y: top(m), width: Math.max(x(m.to) - x(m.from), 1), height: h(m)}),
    path: (m) => `M${x(m.from)},${top(m)}h${Math.max(x(m.to) - x(m.from), 1)}v${h(m)}h${-Math.max(x(m.to) - x(m.from), 1)}z`,
  });

  function draw() {
    while (chart.firstChild) chart.removeChild(chart.firstChild);
    const first = Math.max(0, Math.floor(view.from / cell) - 1);
    const last = Math.min(cells - 1, Math.ceil(view.to / cell) + 1);
    const clip = element('clipPath', {id: 'inside'});
    element('rect', {x: left, y: 0, width: right - left, height: bottom}, clip);
    const inside = element('g', {'clip-path': 'url(#inside)'});
    marks(inView(stations), band(() => 4, () => bottom - 4), 'zone', inside);
    if (data.length < total) {
      element('rect', {x: x(data.length), y: 4, width: Math.max(x(total) - x(data.length), 0),
                       height: bottom - 4, class: 'extension'}, inside, words.extension);
    }
    strips.forEach((strip, k) => {
      const top = 14 + k * (stripHeight + gap);
      const r = ranges[k];
      const y = (v) => top + stripHeight - (v - r.low) / (r.high - r.low) * stripHeight;
      element('rect', {x: left, y: top, width: right - left, height: stripHeight, class: 'frame'});
      text(left, top - 4, strip.title, 'heading');
      for (let v = r.low; v <= r.high + 1e-9; v += r.step) {
        text(left - 6, y(v) + 4, String(Math.round(v * 10) / 10), 'axis');
        element('line', {x1: left, x2: right, y1: y(v), y2: y(v), class: v === 0 ? 'zero' : 'grid'});
      }
      for (const [key, cls] of strip.series) {
        element('polyline', {points: profileLine(profiles[key], strip.step, y, first, last),
                             class: 'series ' + cls}, inside);
      }
    });
    lanes.forEach((name, k) => {
      element('rect', {x: left, y: lanesTop + k * lane, width: right - left, height: lane, class: 'frame'});
      text(left - 6, lanesTop + k * lane + 13, name, 'axis');
    });
    marks(inView(mountains), band(() => lanesTop, () => lane), 'mountain', inside);
    const curveHeight = (c) => 1.5 * Math.abs(c.value) + 1;
    for (const [side, sign] of [['right', 1], ['left', -1]]) {
      marks(inView(curves).filter((c) => Math.sign(c.value) === sign),
            band((c) => (c.value > 0 ? laneMiddle(0) - curveHeight(c) : laneMiddle(0)), curveHeight),
            'curve ' + side, inside);
    }
    const signal = {
      tag: 'polygon',
      one: (o) => ({points: `${x(o.from) - 4},${laneMiddle(o.lane) + 6} ${x(o.from)},${laneMiddle(o.lane) - 6} ${x(o.from) + 4},${laneMiddle(o.lane) + 6}`}),
      path: (o) => `M${x(o.from) - 4},${laneMiddle(o.lane) + 6}l4,-12l4,12z`,
    };
    const board = {
      tag: 'rect',
      one: (o) => ({x: x(o.from) - 3, y: laneMiddle(o.lane) - 5, width: 6, height: 10}),
      path: (o) => `M${x(o.from) - 3},${laneMiddle(o.lane) - 5}h6v10h-6z`,
    };
    const shown = inView(objects);
    data.kinds.forEach((kind) => {
      marks(shown.filter((o) => o.kind === kind), kind === 'signal' ? signal : board,
            'mark ' + kind, inside);
    });
    const step = Math.pow(10, Math.floor(Math.log10((view.to - view.from) / 8)));
    const tick = [1, 2, 5, 10].map((f) => f * step).find((s) => (view.to - view.from) / s <= 12);
    for (let m = Math.ceil(view.from / tick) * tick; m <= view.to; m += tick) {
      text(x(m), bottom + 16, String(Math.round(m) / 1000), 'tick');
    }
    text(right, bottom + 30, words.progressive, 'axis');
    element('line', {x1: x(data.length), x2: x(data.length), y1: 4, y2: bottom, class: 'end'},
            inside, words.routeEnd);
    cursor = element('line', {x1: -10, x2: -10, y1: 4, y2: bottom, class: 'cursor'});
  }
  let cursor = null;

  function pointer(event) {
    const box = chart.getBoundingClientRect();
    return (event.clientX - box.left) * 1200 / box.width;
  }
  function show(from, to) {
    const span = Math.min(Math.max(to - from, 500), total);
    from = Math.min(Math.max(from, 0), total - span);
    view = {from, to: from + span};
    draw();
  }
  chart.addEventListener('wheel', (event) => {
    event.preventDefault();
    const m = metreAt(pointer(event));
    const factor = event.deltaY < 0 ? 0.8 : 1.25;
    show(m - (m - view.from) * factor, m + (view.to - m) * factor);
  }, {passive: false});
  let drag = null;
  chart.addEventListener('mousedown', (event) => { drag = {px: pointer(event), view}; });
  window.addEventListener('mouseup', () => { drag = null; });
  chart.addEventListener('mousemove', (event) => {
    const px = pointer(event);
    if (drag) {
      const shift = (px - drag.px) / (right - left) * (drag.view.to - drag.view.from);
      show(drag.view.from - shift, drag.view.to - shift);
      return;
    }
    const m = metreAt(px);
    const i = Math.floor(m / cell);
    if (m < 0 || i >= cells) return;
    cursor.setAttribute('x1', px);
    cursor.setAttribute('x2', px);
    const values = [i, Math.round(m), profiles.gradient[i] + ' ‰',
                    hundredths(profiles.height[i]) + ' m', profiles.line[i] + ' km/h',
                    profiles.met[i] + ' km/h', profiles.adhesion[i]];
    readout.textContent = words.cursor.map((name, k) => name + ' ' + values[k]).join(' · ');
    // What stands within three pixels of the pointer, in any lane.
    const reach = 3 * (view.to - view.from) / (right - left);
    under.textContent = [...stations, ...curves, ...mountains, ...objects]
      .filter((o) => o.from - reach <= m && m <= o.to + reach)
      .slice(0, 12).map((o) => o.text).join(' · ');
  });
  chart.addEventListener('dblclick', () => show(0, total));

  // The tables: each row leads to its place on the chart.
  function fill(id, columns, rows) {
    const table = document.getElementById(id + '-table');
    if (table.rows.length > 0) return;
    const head = table.insertRow();
    for (const c of columns) head.appendChild(document.createElement('th')).textContent = c;
    for (const [at, ...values] of rows) {
      const row = table.insertRow();
      row.dataset.at = Math.round(at);
      for (const v of values) row.insertCell().textContent = v;
    }
  }
  const object = (kind) => objects.filter((o) => o.kind === kind)
    .map((o) => [o.from, o.cell, Math.round(o.from), o.text]);
  const tables = {
    'stations': () => fill('stations', words.columns, stations.map((s) =>
      [s.progressive, s.number, s.progressive, s.type, s.from + '..' + s.to, s.time, s.name])),
    'signals': () => fill('signals', words.objectColumns, object('signal')),
    'speed-boards': () => fill('speed-boards', words.objectColumns, object('board')),
    'signboards': () => fill('signboards', words.objectColumns, object('signboard')),
    'slow-downs': () => fill('slow-downs', words.slowDownColumns,
                             slowDowns.map((s) => [s.from, Math.round(s.from), Math.round(s.to), s.text])),
    'references': () => fill('references', words.referenceColumns, data.references),
  };
  for (const [id, build] of Object.entries(tables)) {
    const details = document.getElementById(id);
    if (details.open) build();
    details.addEventListener('toggle', () => { if (details.open) build(); });
    details.addEventListener('click', (event) => {
      const row = event.target.closest('tr[data-at]');
      if (!row) return;
      const at = Number(row.dataset.at);
      show(at - 2000, at + 2000);
      chart.scrollIntoView({behavior: 'smooth', block: 'center'});
    });
  }
  // A link to a marked line opens the texts before the browser goes there.
  function openAt(hash) {
    const target = hash.length > 1 && document.getElementById(hash.slice(1));
    const details = target && target.closest('details');
    if (details && !details.open) details.open = true;
    if (target) target.scrollIntoView({block: 'center'});
  }
  document.addEventListener('click', (event) => {
    const link = event.target.closest('a[href^="#"]');
    if (!link) return;
    event.preventDefault();
    history.replaceState(null, '', link.hash);
    openAt(link.hash);
  });
  draw();
  openAt(location.hash);
})();
