// The browser side of platform/web's controls: the dialogs' controls as DOM elements, their
// timers and the settings in localStorage, called from C++ (platform/web/web_calls.h). Linked
// into lobrix.js as an emscripten JS library, beside lobrix_canvas.js. Events go back through
// Module._web_event (editor_web/web_main.cpp).
//
// A dialog's controls live in the element "dlg-<dialog>", each control at "ctl-<dialog>-<id>".
// Colours come as 0x00BBGGRR.

mergeInto(LibraryManager.library, {
  $LobrixWeb: {
    dialogs: ['main', 'p0', 'p1', 'p2', 'p3', 'conv'],
    timers: {},

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
      // The pages live in the tab control, as on Windows: Tab reaches them right after it.
      if (kind === LobrixWeb.kind.tab) {
        var pages = parent.querySelectorAll(':scope > .page-dialog');
        for (var i = pages.length - 1; i >= 0; --i) parent.insertBefore(pages[i], outer.nextSibling);
      }
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
