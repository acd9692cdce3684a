// The report's profile chart: drawn from the page's data for the stretch
// in view; the wheel zooms about the pointer, a drag pans, a double click
// shows the whole route, and the cursor reads every profile at its cell.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('scenario-data').textContent);
  const words = data.words;
  const NS = 'http://www.w3.org/2000/svg';
  const chart = document.getElementById('profile');
  const readout = document.getElementById('readout');
  const cell = data.cell;
  const total = Math.max(data.gradient.length * cell, 1);
  const left = 110, right = 1170, stripHeight = 70, gap = 26, lane = 18;
  const strips = [
    {title: words.height, series: [['height', 'height']]},
    {title: words.gradient, series: [['gradient', 'gradient']]},
    {title: words.speed, series: [['line', 'line'], ['met', 'met']]},
    {title: words.adhesion, series: [['adhesion', 'adhesion']]},
  ];
  const lanesTop = 14 + strips.length * (stripHeight + gap) + 8;
  const lanes = [words.track, words.signals, words.slowDowns,
                 words.speedBoards, words.signboards];
  const height = lanesTop + lanes.length * lane + 34;
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
  function range(values) {
    let low = 0, high = 1;
    for (const v of values) { low = Math.min(low, v); high = Math.max(high, v); }
    const raw = (high - low) / 4;
    const power = Math.pow(10, Math.floor(Math.log10(raw)));
    const step = [1, 2, 5, 10].map((f) => f * power).find((s) => s >= raw);
    return {low: Math.floor(low / step) * step, high: Math.ceil(high / step) * step, step};
  }
  const ranges = strips.map((s) => range(s.series.flatMap(([key]) => data[key])));

  function draw() {
    while (chart.firstChild) chart.removeChild(chart.firstChild);
    const first = Math.max(0, Math.floor(view.from / cell) - 1);
    const last = Math.min(data.gradient.length - 1, Math.ceil(view.to / cell) + 1);
    const bottom = lanesTop + lanes.length * lane;
    const clip = element('clipPath', {id: 'inside'});
    element('rect', {x: left, y: 0, width: right - left, height: bottom}, clip);
    const inside = element('g', {'clip-path': 'url(#inside)'});
    for (const st of data.stations) {
      element('rect', {x: x(st.start), y: 4, width: Math.max(x(st.end) - x(st.start), 1),
                       height: bottom - 4, class: 'zone'}, inside, st.text);
    }
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
        const values = data[key];
        const points = [];
        for (let i = first; i <= last; ++i) {
          const py = y(values[i]);
          if (key === 'height') {
            points.push(x(i * cell) + ',' + py);
          } else {
            points.push(x(i * cell) + ',' + py, x((i + 1) * cell) + ',' + py);
          }
        }
        element('polyline', {points: points.join(' '), class: 'series ' + cls}, inside);
      }
    });
    lanes.forEach((name, k) => {
      element('rect', {x: left, y: lanesTop + k * lane, width: right - left, height: lane, class: 'frame'});
      text(left - 6, lanesTop + k * lane + 13, name, 'axis');
    });
    const laneMiddle = (k) => lanesTop + k * lane + lane / 2;
    for (const m of data.mountains) {
      element('rect', {x: x(m.from), y: lanesTop, width: Math.max(x(m.to) - x(m.from), 1),
                       height: lane, class: 'mountain'}, inside, m.text);
    }
    for (const c of data.curves) {
      const h = 1.5 * Math.abs(c.value) + 1;
      element('rect', {x: x(c.from), y: c.value > 0 ? laneMiddle(0) - h : laneMiddle(0),
                       width: Math.max(x(c.to) - x(c.from), 1), height: h,
                       class: 'curve ' + (c.value > 0 ? 'right' : 'left')}, inside, c.text);
    }
    const laneOf = {signal: 1, 'slow-down': 2, board: 3, signboard: 4};
    for (const o of data.objects) {
      if (o.at < view.from - cell || o.at > view.to + cell) continue;
      const py = laneMiddle(laneOf[o.kind]);
      const px = x(o.at);
      if (o.kind === 'signal') {
        element('polygon', {points: `${px - 4},${py + 6} ${px},${py - 6} ${px + 4},${py + 6}`,
                            class: 'mark signal'}, inside, o.text);
      } else {
        element('rect', {x: px - 3, y: py - 5, width: 6, height: 10, class: 'mark ' + o.kind},
                inside, o.text);
      }
    }
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
    if (m < 0 || i >= data.gradient.length) return;
    cursor.setAttribute('x1', px);
    cursor.setAttribute('x2', px);
    const values = [i, Math.round(m), data.gradient[i] + ' ‰', data.height[i] + ' m',
                    data.line[i] + ' km/h', data.met[i] + ' km/h', data.adhesion[i]];
    readout.textContent = words.cursor.map((name, k) => name + ' ' + values[k]).join(' · ');
  });
  chart.addEventListener('dblclick', () => show(0, total));

  // Every row of the tables leads to its place on the chart.
  for (const row of document.querySelectorAll('tr[data-at]')) {
    row.addEventListener('click', () => {
      const at = Number(row.dataset.at);
      show(at - 2000, at + 2000);
      chart.scrollIntoView({behavior: 'smooth', block: 'center'});
    });
  }
  draw();
})();
