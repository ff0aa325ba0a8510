// The browser side of platform/web: the canvas surface (Canvas 2D) and the dialogs' controls as
// DOM elements, called from C++ (platform/web/web_calls.h). Linked into lobrix.js as an
// emscripten JS library. Events go back through Module._web_event (editor_web/web_main.cpp).
//
// A dialog's controls live in the element "dlg-<dialog>", each control at "ctl-<dialog>-<id>".
// Colours come as 0x00BBGGRR.

mergeInto(LibraryManager.library, {
  $LobrixWeb: {
    dialogs: ['main', 'p0', 'p1', 'p2', 'p3', 'conv'],
    surfaces: {},
    timers: {},
    faces: {},

    color: function(c) {
      return 'rgb(' + (c & 255) + ',' + ((c >>> 8) & 255) + ',' + ((c >>> 16) & 255) + ')';
    },

    // The control kinds of platform/controls/control_row.h, by number.
    kind: {button: 0, picture: 1, label: 2, frame: 3, area: 4, edit: 5, combo: 6, list: 7,
           tab: 8, status: 9},
    // The event kinds of platform/controls/control_event.h, by number.
    event: {clicked: 0, editChanged: 1, comboEdit: 2, selection: 3, tabChanging: 4,
            tabChanged: 5, setFocus: 6, killFocus: 7, timer: 8},

    send: function(dialog, id, kind, x, y) {
      var index = LobrixWeb.dialogs.indexOf(dialog);
      if (index >= 0) Module['_web_event'](index, id, kind, x === undefined ? -1 : x,
                                           y === undefined ? -1 : y);
    },

    // "&Table" shows as "Table"; "&&" as "&".
    shown: function(text) {
      return text.replace(/&(&?)/g, function(all, second) { return second ? '&' : ''; });
    },

    element: function(dialog, id) {
      return document.getElementById('ctl-' + dialog + '-' + id);
    },

    // ---- the canvas surface ----
    open: function(id, width, height) {
      var canvas = document.getElementById(id);
      if (!canvas || !canvas.getContext) return 0;
      var ratio = window.devicePixelRatio || 1;
      canvas.width = Math.round(width * ratio);
      canvas.height = Math.round(height * ratio);
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
      // The views read pixels back (a scan for the curve's edge): a canvas kept in memory
      // answers at once, where a GPU canvas would copy itself back for every read.
      var ctx = canvas.getContext('2d', {willReadFrequently: true});
      ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
      ctx.lineWidth = 1;
      ctx.lineCap = 'square';
      LobrixWeb.surfaces[id] = {canvas: canvas, ctx: ctx, width: width, height: height,
                                ratio: ratio, path: null};
      return 1;
    },

    surface: function(id) {
      return LobrixWeb.surfaces[id] || null;
    },

    pen: function(s, color, dotted) {
      s.ctx.strokeStyle = LobrixWeb.color(color);
      // 3 pixels on, 3 off, as a dotted GDI pen: dashes of 2 with square caps.
      s.ctx.setLineDash(dotted ? [2, 4] : []);
    },

    // Consecutive lines of one pen that continue each other are stroked as one path.
    stroke: function(s) {
      if (!s.path) return;
      s.ctx.stroke();
      s.path = null;
    },

    line: function(s, x0, y0, x1, y1, color, dotted) {
      var p = s.path;
      if (!(p && p.color === color && p.dotted === dotted && p.x === x0 && p.y === y0)) {
        LobrixWeb.stroke(s);
        LobrixWeb.pen(s, color, dotted);
        s.ctx.beginPath();
        s.ctx.moveTo(x0 + 0.5, y0 + 0.5);
        p = s.path = {color: color, dotted: dotted};
      }
      s.ctx.lineTo(x1 + 0.5, y1 + 0.5);
      p.x = x1;
      p.y = y1;
    },

    rect: function(s, x, y, w, h, pen, dotted, brush, filled) {
      LobrixWeb.stroke(s);
      var left = Math.round(x), top = Math.round(y);
      var width = Math.round(x + w) - left, height = Math.round(y + h) - top;
      if (width <= 0 || height <= 0) return;
      if (filled) {
        s.ctx.fillStyle = LobrixWeb.color(brush);
        s.ctx.fillRect(left, top, width, height);
      }
      LobrixWeb.pen(s, pen, dotted);
      s.ctx.strokeRect(left + 0.5, top + 0.5, Math.max(width - 1, 0), Math.max(height - 1, 0));
    },

    circle: function(s, cx, cy, r, pen, dotted, brush, filled) {
      LobrixWeb.stroke(s);
      s.ctx.beginPath();
      s.ctx.arc(cx + 0.5, cy + 0.5, r, 0, 2 * Math.PI);
      if (filled) {
        s.ctx.fillStyle = LobrixWeb.color(brush);
        s.ctx.fill();
      }
      LobrixWeb.pen(s, pen, dotted);
      s.ctx.stroke();
    },

    pixelAt: function(s, x, y) {
      LobrixWeb.stroke(s);
      var px = Math.floor((x + 0.5) * s.ratio), py = Math.floor((y + 0.5) * s.ratio);
      var d = s.ctx.getImageData(px, py, 1, 1).data;
      return d[0] | (d[1] << 8) | (d[2] << 16);
    },

    // A face's ascent, descent and average character width per unit of its em: the
    // lower-case letters and the blank weighted by their frequency in English text, as the
    // classic TrueType average width (and the file surface) has it.
    metrics: function(ctx, family, bold) {
      var key = family + (bold ? '|bold' : '|normal');
      if (LobrixWeb.faces[key]) return LobrixWeb.faces[key];
      var weights = [64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56, 56, 17, 4, 49, 56,
                     71, 31, 10, 18, 3, 18, 2];
      ctx.save();
      ctx.font = (bold ? 'bold ' : '') + '1000px "' + family + '"';
      var total = 166 * ctx.measureText(' ').width;
      for (var i = 0; i < 26; ++i) {
        total += weights[i] * ctx.measureText(String.fromCharCode(97 + i)).width;
      }
      var m = ctx.measureText('Hg');
      ctx.restore();
      // The Liberation faces have the metrics of the Windows ones: ascent 1854, descent 434
      // of 2048 units. Browsers that measure the font's box are taken at their word.
      var ascent = m.fontBoundingBoxAscent ? m.fontBoundingBoxAscent / 1000 : 0.9053;
      var descent = m.fontBoundingBoxDescent ? m.fontBoundingBoxDescent / 1000 : 0.2119;
      var face = {ascent: ascent, descent: descent, average: total / 1000 / 1000};
      LobrixWeb.faces[key] = face;
      return face;
    },

    text: function(s, x, y, text, align, family, height, width, bold, color, background,
                   opaque) {
      LobrixWeb.stroke(s);
      var ctx = s.ctx;
      var m = LobrixWeb.metrics(ctx, family, bold);
      var em = height / (m.ascent + m.descent);
      var stretch = width > 0 ? (width / m.average) / em : 1;
      ctx.save();
      ctx.font = (bold ? 'bold ' : '') + em + 'px "' + family + '"';
      var advance = ctx.measureText(text).width * stretch;
      var left = align === 1 ? (s.width - advance) / 2 : align === 2 ? s.width - advance : x;
      if (opaque) {
        ctx.fillStyle = LobrixWeb.color(background);
        ctx.fillRect(left, y, advance, height);
      }
      ctx.fillStyle = LobrixWeb.color(color);
      ctx.translate(left, y + m.ascent * em);
      ctx.scale(stretch, 1);
      ctx.fillText(text, 0, 0);
      ctx.restore();
    },

    copy: function(s) {
      LobrixWeb.stroke(s);
      if (!navigator.clipboard || !navigator.clipboard.write ||
          typeof ClipboardItem === 'undefined') {
        return 0;
      }
      // The picture as it is now, at the surface's own size: the caller paints over it next.
      var snap = document.createElement('canvas');
      snap.width = s.width;
      snap.height = s.height;
      snap.getContext('2d').drawImage(s.canvas, 0, 0, s.width, s.height);
      var blob = new Promise(function(resolve) { snap.toBlob(resolve, 'image/png'); });
      try {
        navigator.clipboard.write([new ClipboardItem({'image/png': blob})]).catch(function(e) {
          if (Module['lobrixCopyFailed']) Module['lobrixCopyFailed'](e);
        });
      } catch (e) {
        return 0;
      }
      return 1;
    },

    // ---- the controls ----
    place: function(el, x, y, width, height) {
      el.style.position = 'absolute';
      el.style.left = x + 'px';
      el.style.top = y + 'px';
      el.style.width = width + 'px';
      el.style.height = height + 'px';
    },

    // The control gets and loses the focus; `partner`, the other part of the same combo box,
    // takes it over without the control losing it.
    focusEvents: function(el, dialog, id, partner) {
      el.addEventListener('focus', function(event) {
        if (!partner || event.relatedTarget !== partner) {
          LobrixWeb.send(dialog, id, LobrixWeb.event.setFocus);
        }
      });
      el.addEventListener('blur', function(event) {
        if (!partner || event.relatedTarget !== partner) {
          LobrixWeb.send(dialog, id, LobrixWeb.event.killFocus);
        }
      });
    },

    // The edit part of a drop-down combo box gets the id; its list is "<id>-list".
    combo: function(dialog, id, x, y, width) {
      var wrap = document.createElement('span');
      wrap.className = 'lobrix-combo';
      LobrixWeb.place(wrap, x, y, width, 20);
      var input = document.createElement('input');
      input.type = 'text';
      input.id = 'ctl-' + dialog + '-' + id;
      input.autocomplete = 'off';
      input.spellcheck = false;
      var list = document.createElement('select');
      list.id = input.id + '-list';
      list.tabIndex = -1;
      input.addEventListener('input', function() {
        LobrixWeb.send(dialog, id, LobrixWeb.event.comboEdit);
      });
      list.addEventListener('change', function() {
        input.value = list.selectedIndex >= 0 ? list.options[list.selectedIndex].text : '';
        LobrixWeb.send(dialog, id, LobrixWeb.event.selection, list.selectedIndex);
      });
      // A Windows combo box selects its whole text when it gets the focus, so the first digit
      // typed replaces it (a click then puts the caret where it points, as there).
      input.addEventListener('focus', function() { input.select(); });
      LobrixWeb.focusEvents(input, dialog, id, list);
      LobrixWeb.focusEvents(list, dialog, id, input);
      wrap.appendChild(input);
      wrap.appendChild(list);
      return {outer: wrap, inner: input};
    },

    tabs: function(dialog, id, x, y, width, height) {
      var box = document.createElement('div');
      box.className = 'lobrix-tabs';
      box.id = 'ctl-' + dialog + '-' + id;
      LobrixWeb.place(box, x, y, width, height);
      var row = document.createElement('div');
      row.className = 'lobrix-tab-row';
      row.id = box.id + '-row';
      box.appendChild(row);
      box.lobrixSelected = -1;
      return box;
    },

    button: function(dialog, id, picture) {
      var el = document.createElement('button');
      el.type = 'button';
      if (picture) {
        var img = document.createElement('img');
        img.src = 'pictures/' + picture + '.png';
        img.alt = picture;
        img.draggable = false;
        el.appendChild(img);
        el.className = 'lobrix-picture';
      }
      el.addEventListener('click', function() {
        LobrixWeb.send(dialog, id, LobrixWeb.event.clicked);
      });
      return el;
    },

    input: function(dialog, id) {
      var el = document.createElement('input');
      el.type = 'text';
      el.autocomplete = 'off';
      el.spellcheck = false;
      el.addEventListener('input', function() {
        LobrixWeb.send(dialog, id, LobrixWeb.event.editChanged);
      });
      LobrixWeb.focusEvents(el, dialog, id);
      return el;
    },

    list: function(dialog, id) {
      var el = document.createElement('select');
      el.addEventListener('change', function() {
        LobrixWeb.send(dialog, id, LobrixWeb.event.selection, el.selectedIndex);
      });
      LobrixWeb.focusEvents(el, dialog, id);
      return el;
    },

    // The element of one control: {el: the one with the control's id, outer: the one placed}.
    make: function(dialog, id, kind, x, y, width, height, picture) {
      var K = LobrixWeb.kind;
      if (kind === K.combo) return LobrixWeb.combo(dialog, id, x, y, width);
      if (kind === K.tab) {
        var tabs = LobrixWeb.tabs(dialog, id, x, y, width, height);
        return {outer: tabs, inner: tabs};
      }
      var el;
      if (kind === K.button || kind === K.picture) {
        el = LobrixWeb.button(dialog, id, kind === K.picture ? picture : '');
      } else if (kind === K.edit) {
        el = LobrixWeb.input(dialog, id);
      } else if (kind === K.list) {
        el = LobrixWeb.list(dialog, id);
      } else {
        el = document.createElement('div');
        el.className = kind === K.status ? 'lobrix-status' : kind === K.frame ? 'lobrix-frame'
                     : kind === K.area ? 'lobrix-area' : 'lobrix-label';
      }
      if (kind !== K.status) LobrixWeb.place(el, x, y, width, height);
      if (kind === K.edit) el.style.height = Math.max(height, 18) + 'px';
      if (kind === K.list) el.style.height = '20px';
      // A label one line high never wraps (the direction rows' texts are as wide as their
      // labels); taller ones wrap at blanks as the Windows labels do.
      if (kind === K.label && height < 20) el.style.whiteSpace = 'pre';
      return {outer: el, inner: el};
    },

    create: function(dialog, id, kind, x, y, width, height, text, picture, disabled) {
      var parent = document.getElementById('dlg-' + dialog);
      if (!parent) return;
      var made = LobrixWeb.make(dialog, id, kind, x, y, width, height, picture);
      var el = made.inner, outer = made.outer;
      el.id = 'ctl-' + dialog + '-' + id;
      if (outer !== el) outer.id = el.id + '-box';
      el.lobrixKind = kind;
      outer.classList.add('lobrix-control');
      LobrixWeb.setText(el, text);
      if (disabled) LobrixWeb.enable(el, false);
      parent.appendChild(outer);
    },

    outer: function(el) {
      return el && el.lobrixKind === LobrixWeb.kind.combo ? el.parentNode : el;
    },

    setText: function(el, text) {
      var K = LobrixWeb.kind;
      el.lobrixText = text;
      switch (el.lobrixKind) {
        case K.edit:
        case K.combo:
          el.value = text;
          break;
        case K.picture:
        case K.list:
        case K.tab:
        case K.area:
        case K.status:
          break;
        default:
          el.textContent = LobrixWeb.shown(text);
          // "&Table": Alt+T (with the browser's own modifier keys) presses the button.
          var key = /&([^&])/.exec(text);
          if (el.lobrixKind === K.button) el.accessKey = key ? key[1].toLowerCase() : '';
      }
    },

    getText: function(el) {
      var K = LobrixWeb.kind;
      switch (el.lobrixKind) {
        case K.edit:
        case K.combo:
          return el.value;
        case K.list:
          return el.selectedIndex >= 0 ? el.options[el.selectedIndex].text : '';
        default:
          return el.lobrixText || '';
      }
    },

    setItems: function(dialog, id, el, items) {
      var K = LobrixWeb.kind;
      var list = el.lobrixKind === K.tab ? document.getElementById(el.id + '-row')
               : el.lobrixKind === K.combo ? document.getElementById(el.id + '-list') : el;
      list.textContent = '';
      items.forEach(function(item) { LobrixWeb.addItem(dialog, id, el, item); });
    },

    addItem: function(dialog, id, el, item) {
      var K = LobrixWeb.kind;
      if (el.lobrixKind === K.tab) {
        var row = document.getElementById(el.id + '-row');
        var index = row.children.length;
        var tab = document.createElement('button');
        tab.type = 'button';
        tab.className = 'lobrix-tab';
        tab.id = el.id + '-' + index;
        tab.textContent = LobrixWeb.shown(item);
        tab.addEventListener('click', function() {
          if (el.lobrixSelected === index) return;
          LobrixWeb.send(dialog, id, LobrixWeb.event.tabChanging);
          LobrixWeb.select(el, index);
          LobrixWeb.send(dialog, id, LobrixWeb.event.tabChanged, index);
        });
        row.appendChild(tab);
        return;
      }
      var list = el.lobrixKind === K.combo ? document.getElementById(el.id + '-list') : el;
      var option = document.createElement('option');
      option.text = item;
      list.appendChild(option);
    },

    select: function(el, index) {
      var K = LobrixWeb.kind;
      if (el.lobrixKind === K.tab) {
        el.lobrixSelected = index;
        var tabs = document.getElementById(el.id + '-row').children;
        for (var i = 0; i < tabs.length; ++i) tabs[i].classList.toggle('selected', i === index);
        return;
      }
      var list = el.lobrixKind === K.combo ? document.getElementById(el.id + '-list') : el;
      list.selectedIndex = index;
    },

    enable: function(el, enabled) {
      var list = el.lobrixKind === LobrixWeb.kind.combo
                     ? document.getElementById(el.id + '-list') : null;
      el.disabled = !enabled;
      if (list) list.disabled = !enabled;
      LobrixWeb.outer(el).classList.toggle('disabled', !enabled);
    },
  },

  lobrix_canvas_open__deps: ['$LobrixWeb'],
  lobrix_canvas_open: function(canvas, width, height) {
    return LobrixWeb.open(UTF8ToString(canvas), width, height);
  },
  lobrix_canvas_clear__deps: ['$LobrixWeb'],
  lobrix_canvas_clear: function(canvas, color) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (!s) return;
    s.path = null;
    s.ctx.fillStyle = LobrixWeb.color(color);
    s.ctx.fillRect(0, 0, s.width, s.height);
  },
  lobrix_canvas_line__deps: ['$LobrixWeb'],
  lobrix_canvas_line: function(canvas, x0, y0, x1, y1, color, dotted) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (s) LobrixWeb.line(s, x0, y0, x1, y1, color, dotted);
  },
  lobrix_canvas_rect__deps: ['$LobrixWeb'],
  lobrix_canvas_rect: function(canvas, x, y, w, h, pen, dotted, brush, filled) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (s) LobrixWeb.rect(s, x, y, w, h, pen, dotted, brush, filled);
  },
  lobrix_canvas_circle__deps: ['$LobrixWeb'],
  lobrix_canvas_circle: function(canvas, cx, cy, r, pen, dotted, brush, filled) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (s) LobrixWeb.circle(s, cx, cy, r, pen, dotted, brush, filled);
  },
  lobrix_canvas_pixel__deps: ['$LobrixWeb'],
  lobrix_canvas_pixel: function(canvas, x, y, color) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (!s) return;
    LobrixWeb.stroke(s);
    s.ctx.fillStyle = LobrixWeb.color(color);
    s.ctx.fillRect(Math.round(x), Math.round(y), 1, 1);
  },
  lobrix_canvas_pixel_at__deps: ['$LobrixWeb'],
  lobrix_canvas_pixel_at: function(canvas, x, y) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (!s || x < 0 || y < 0 || x >= s.width || y >= s.height) return -1;
    return LobrixWeb.pixelAt(s, x, y);
  },
  lobrix_canvas_text__deps: ['$LobrixWeb'],
  lobrix_canvas_text: function(canvas, x, y, text, align, family, height, width, bold, color,
                               background, opaque) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (s) {
      LobrixWeb.text(s, x, y, UTF8ToString(text), align, UTF8ToString(family), height, width,
                     bold, color, background, opaque);
    }
  },
  lobrix_canvas_flush__deps: ['$LobrixWeb'],
  lobrix_canvas_flush: function(canvas) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    if (s) LobrixWeb.stroke(s);
  },
  lobrix_canvas_copy__deps: ['$LobrixWeb'],
  lobrix_canvas_copy: function(canvas) {
    var s = LobrixWeb.surface(UTF8ToString(canvas));
    return s ? LobrixWeb.copy(s) : 0;
  },

  lobrix_control_create__deps: ['$LobrixWeb'],
  lobrix_control_create: function(dialog, id, kind, x, y, width, height, text, picture,
                                  disabled) {
    LobrixWeb.create(UTF8ToString(dialog), id, kind, x, y, width, height, UTF8ToString(text),
                     UTF8ToString(picture), disabled);
  },
  lobrix_control_destroy__deps: ['$LobrixWeb'],
  lobrix_control_destroy: function(dialog, id) {
    var el = LobrixWeb.outer(LobrixWeb.element(UTF8ToString(dialog), id));
    if (el) el.remove();
  },
  lobrix_control_text__deps: ['$LobrixWeb'],
  lobrix_control_text: function(dialog, id) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    return allocateUTF8(el ? LobrixWeb.getText(el) : '');
  },
  lobrix_control_set_text__deps: ['$LobrixWeb'],
  lobrix_control_set_text: function(dialog, id, text) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    if (el) LobrixWeb.setText(el, UTF8ToString(text));
  },
  lobrix_control_set_items__deps: ['$LobrixWeb'],
  lobrix_control_set_items: function(dialog, id, lines) {
    var name = UTF8ToString(dialog);
    var el = LobrixWeb.element(name, id);
    var text = UTF8ToString(lines);
    if (el) LobrixWeb.setItems(name, id, el, text === '' ? [] : text.split('\n'));
  },
  lobrix_control_add_item__deps: ['$LobrixWeb'],
  lobrix_control_add_item: function(dialog, id, text) {
    var name = UTF8ToString(dialog);
    var el = LobrixWeb.element(name, id);
    if (el) LobrixWeb.addItem(name, id, el, UTF8ToString(text));
  },
  lobrix_control_select__deps: ['$LobrixWeb'],
  lobrix_control_select: function(dialog, id, index) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    if (el) LobrixWeb.select(el, index);
  },
  lobrix_control_enable__deps: ['$LobrixWeb'],
  lobrix_control_enable: function(dialog, id, enabled) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    if (el) LobrixWeb.enable(el, enabled !== 0);
  },
  lobrix_control_show__deps: ['$LobrixWeb'],
  lobrix_control_show: function(dialog, id, visible) {
    var el = LobrixWeb.outer(LobrixWeb.element(UTF8ToString(dialog), id));
    if (el) el.style.visibility = visible ? '' : 'hidden';
  },
  lobrix_control_focus__deps: ['$LobrixWeb'],
  lobrix_control_focus: function(dialog, id) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    if (el && el.focus) el.focus();
  },
  lobrix_control_focused: function(dialog) {
    var el = document.activeElement;
    var prefix = 'ctl-' + UTF8ToString(dialog) + '-';
    if (!el || !el.id || el.id.indexOf(prefix) !== 0) return 0;
    var id = parseInt(el.id.substring(prefix.length), 10);
    return isNaN(id) ? 0 : id;
  },
  lobrix_control_edit_selection__deps: ['$LobrixWeb'],
  lobrix_control_edit_selection: function(dialog, id, which) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    if (!el || el.selectionStart === undefined || el.selectionStart === null) return 0;
    return which ? el.selectionEnd : el.selectionStart;
  },
  lobrix_control_set_edit_selection__deps: ['$LobrixWeb'],
  lobrix_control_set_edit_selection: function(dialog, id, start, end) {
    var el = LobrixWeb.element(UTF8ToString(dialog), id);
    if (!el || !el.setSelectionRange) return;
    var size = el.value.length;
    el.setSelectionRange(Math.min(Math.max(start, 0), size), Math.min(Math.max(end, 0), size));
  },
  lobrix_control_tooltip__deps: ['$LobrixWeb'],
  lobrix_control_tooltip: function(dialog, id, text) {
    var el = LobrixWeb.outer(LobrixWeb.element(UTF8ToString(dialog), id));
    if (el) el.title = UTF8ToString(text);
  },
  lobrix_status_parts__deps: ['$LobrixWeb'],
  lobrix_status_parts: function(dialog, id, edges) {
    var bar = LobrixWeb.element(UTF8ToString(dialog), id);
    if (!bar) return;
    bar.textContent = '';
    var left = 0;
    UTF8ToString(edges).split(',').forEach(function(edge, part) {
      var right = parseInt(edge, 10);
      var cell = document.createElement('span');
      cell.id = bar.id + '-' + part;
      cell.className = 'lobrix-status-part';
      cell.style.left = left + 'px';
      if (right >= 0) cell.style.width = (right - left - 2) + 'px';
      else cell.style.right = '0';
      bar.appendChild(cell);
      left = right;
    });
  },
  lobrix_status_text__deps: ['$LobrixWeb'],
  lobrix_status_text: function(dialog, id, part, text) {
    var bar = LobrixWeb.element(UTF8ToString(dialog), id);
    var cell = bar && document.getElementById(bar.id + '-' + part);
    if (cell) cell.textContent = UTF8ToString(text);
  },
  lobrix_dialog_caption: function(dialog, text) {
    var name = UTF8ToString(dialog), caption = UTF8ToString(text);
    var el = document.getElementById('caption-' + name);
    if (el) el.textContent = caption;
    if (name === 'main') document.title = caption.trim();
  },
  lobrix_dialog_show: function(dialog, visible) {
    var el = document.getElementById('dlg-' + UTF8ToString(dialog));
    if (el) el.style.display = visible ? '' : 'none';
  },
  lobrix_dialog_place__deps: ['$LobrixWeb'],
  lobrix_dialog_place: function(dialog, x, y, width, height) {
    var el = document.getElementById('dlg-' + UTF8ToString(dialog));
    if (!el) return;
    LobrixWeb.place(el, x, y, width, height);
    // A dialog of its own takes its room in the page's flow; a page sits in its tab control.
    if (el.classList.contains('top-dialog')) el.style.position = 'relative';
  },
  lobrix_canvas_place: function(canvas, dialog, x, y) {
    var el = document.getElementById(UTF8ToString(canvas));
    var parent = document.getElementById('dlg-' + UTF8ToString(dialog));
    if (!el || !parent) return;
    el.style.position = 'absolute';
    el.style.left = x + 'px';
    el.style.top = y + 'px';
    el.style.zIndex = '2';
    parent.appendChild(el);
  },
  lobrix_timer_start__deps: ['$LobrixWeb'],
  lobrix_timer_start: function(dialog, id, milliseconds) {
    var name = UTF8ToString(dialog), key = name + ':' + id;
    if (LobrixWeb.timers[key]) clearInterval(LobrixWeb.timers[key]);
    LobrixWeb.timers[key] = setInterval(function() {
      LobrixWeb.send(name, id, LobrixWeb.event.timer);
    }, milliseconds);
  },
  lobrix_timer_stop__deps: ['$LobrixWeb'],
  lobrix_timer_stop: function(dialog, id) {
    var key = UTF8ToString(dialog) + ':' + id;
    if (LobrixWeb.timers[key]) clearInterval(LobrixWeb.timers[key]);
    delete LobrixWeb.timers[key];
  },

  
  lobrix_storage_read: function(key) {
    var value = null;
    try {
      value = window.localStorage.getItem(UTF8ToString(key));
    } catch (e) {
      value = null;  // storage switched off: nothing remembered
    }
    return allocateUTF8(value === null ? '' : value);
  },
  lobrix_storage_write: function(key, value) {
    try {
      window.localStorage.setItem(UTF8ToString(key), UTF8ToString(value));
    } catch (e) {
      // storage full or switched off: the value is lost, as a failed write is
    }
  },
});
