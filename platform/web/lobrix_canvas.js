// The browser side of platform/web's drawing surface: a canvas's Canvas 2D context, called
// from C++ (platform/web/web_calls.h, SurfaceCanvas). Linked into lobrix.js as an emscripten
// JS library, beside lobrix_controls.js. Colours come as 0x00BBGGRR.

mergeInto(LibraryManager.library, {
  $LobrixCanvas: {
    surfaces: {},
    faces: {},

    color: function(c) {
      return 'rgb(' + (c & 255) + ',' + ((c >>> 8) & 255) + ',' + ((c >>> 16) & 255) + ')';
    },

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
      LobrixCanvas.surfaces[id] = {canvas: canvas, ctx: ctx, width: width, height: height,
                                ratio: ratio, path: null};
      return 1;
    },

    surface: function(id) {
      return LobrixCanvas.surfaces[id] || null;
    },

    pen: function(s, color, dotted) {
      s.ctx.strokeStyle = LobrixCanvas.color(color);
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
        LobrixCanvas.stroke(s);
        LobrixCanvas.pen(s, color, dotted);
        s.ctx.beginPath();
        s.ctx.moveTo(x0 + 0.5, y0 + 0.5);
        p = s.path = {color: color, dotted: dotted};
      }
      s.ctx.lineTo(x1 + 0.5, y1 + 0.5);
      p.x = x1;
      p.y = y1;
    },

    rect: function(s, x, y, w, h, pen, dotted, brush, filled) {
      LobrixCanvas.stroke(s);
      var left = Math.round(x), top = Math.round(y);
      var width = Math.round(x + w) - left, height = Math.round(y + h) - top;
      if (width <= 0 || height <= 0) return;
      if (filled) {
        s.ctx.fillStyle = LobrixCanvas.color(brush);
        s.ctx.fillRect(left, top, width, height);
      }
      LobrixCanvas.pen(s, pen, dotted);
      s.ctx.strokeRect(left + 0.5, top + 0.5, Math.max(width - 1, 0), Math.max(height - 1, 0));
    },

    circle: function(s, cx, cy, r, pen, dotted, brush, filled) {
      LobrixCanvas.stroke(s);
      s.ctx.beginPath();
      s.ctx.arc(cx + 0.5, cy + 0.5, r, 0, 2 * Math.PI);
      if (filled) {
        s.ctx.fillStyle = LobrixCanvas.color(brush);
        s.ctx.fill();
      }
      LobrixCanvas.pen(s, pen, dotted);
      s.ctx.stroke();
    },

    pixelAt: function(s, x, y) {
      LobrixCanvas.stroke(s);
      var px = Math.floor((x + 0.5) * s.ratio), py = Math.floor((y + 0.5) * s.ratio);
      var d = s.ctx.getImageData(px, py, 1, 1).data;
      return d[0] | (d[1] << 8) | (d[2] << 16);
    },

    // A face's ascent, descent and average character width per unit of its em: the
    // lower-case letters and the blank weighted by their frequency in English text, as the
    // classic TrueType average width (and the file surface) has it.
    metrics: function(ctx, family, bold) {
      var key = family + (bold ? '|bold' : '|normal');
      if (LobrixCanvas.faces[key]) return LobrixCanvas.faces[key];
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
      LobrixCanvas.faces[key] = face;
      return face;
    },

    text: function(s, x, y, text, align, family, height, width, bold, color, background,
                   opaque) {
      LobrixCanvas.stroke(s);
      var ctx = s.ctx;
      var m = LobrixCanvas.metrics(ctx, family, bold);
      var em = height / (m.ascent + m.descent);
      var stretch = width > 0 ? (width / m.average) / em : 1;
      ctx.save();
      ctx.font = (bold ? 'bold ' : '') + em + 'px "' + family + '"';
      var advance = ctx.measureText(text).width * stretch;
      var left = align === 1 ? (s.width - advance) / 2 : align === 2 ? s.width - advance : x;
      if (opaque) {
        ctx.fillStyle = LobrixCanvas.color(background);
        ctx.fillRect(left, y, advance, height);
      }
      ctx.fillStyle = LobrixCanvas.color(color);
      ctx.translate(left, y + m.ascent * em);
      ctx.scale(stretch, 1);
      ctx.fillText(text, 0, 0);
      ctx.restore();
    },

    copy: function(s) {
      LobrixCanvas.stroke(s);
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
  },

  lobrix_canvas_open__deps: ['$LobrixCanvas'],
  lobrix_canvas_open: function(canvas, width, height) {
    return LobrixCanvas.open(UTF8ToString(canvas), width, height);
  },
  lobrix_canvas_clear__deps: ['$LobrixCanvas'],
  lobrix_canvas_clear: function(canvas, color) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (!s) return;
    s.path = null;
    s.ctx.fillStyle = LobrixCanvas.color(color);
    s.ctx.fillRect(0, 0, s.width, s.height);
  },
  lobrix_canvas_line__deps: ['$LobrixCanvas'],
  lobrix_canvas_line: function(canvas, x0, y0, x1, y1, color, dotted) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (s) LobrixCanvas.line(s, x0, y0, x1, y1, color, dotted);
  },
  lobrix_canvas_rect__deps: ['$LobrixCanvas'],
  lobrix_canvas_rect: function(canvas, x, y, w, h, pen, dotted, brush, filled) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (s) LobrixCanvas.rect(s, x, y, w, h, pen, dotted, brush, filled);
  },
  lobrix_canvas_circle__deps: ['$LobrixCanvas'],
  lobrix_canvas_circle: function(canvas, cx, cy, r, pen, dotted, brush, filled) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (s) LobrixCanvas.circle(s, cx, cy, r, pen, dotted, brush, filled);
  },
  lobrix_canvas_pixel__deps: ['$LobrixCanvas'],
  lobrix_canvas_pixel: function(canvas, x, y, color) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (!s) return;
    LobrixCanvas.stroke(s);
    s.ctx.fillStyle = LobrixCanvas.color(color);
    s.ctx.fillRect(Math.round(x), Math.round(y), 1, 1);
  },
  lobrix_canvas_pixel_at__deps: ['$LobrixCanvas'],
  lobrix_canvas_pixel_at: function(canvas, x, y) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (!s || x < 0 || y < 0 || x >= s.width || y >= s.height) return -1;
    return LobrixCanvas.pixelAt(s, x, y);
  },
  lobrix_canvas_text__deps: ['$LobrixCanvas'],
  lobrix_canvas_text: function(canvas, x, y, text, align, family, height, width, bold, color,
                               background, opaque) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (s) {
      LobrixCanvas.text(s, x, y, UTF8ToString(text), align, UTF8ToString(family), height,
                        width, bold, color, background, opaque);
    }
  },
  lobrix_canvas_flush__deps: ['$LobrixCanvas'],
  lobrix_canvas_flush: function(canvas) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    if (s) LobrixCanvas.stroke(s);
  },
  lobrix_canvas_copy__deps: ['$LobrixCanvas'],
  lobrix_canvas_copy: function(canvas) {
    var s = LobrixCanvas.surface(UTF8ToString(canvas));
    return s ? LobrixCanvas.copy(s) : 0;
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
});
