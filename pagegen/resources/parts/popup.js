<script>
// Opens the full-size picture in a window of its own, sized for the picture
// and the screen; see the page builder for the meaning of each argument.
function Vorlex_Popup(file, image_width, image_height, popup_width, popup_height, adapt_image, allow_full_size, bgcolor, textcolor, comments, comments_mode) {
  if (comments === undefined || comments === null) comments = "";
  if (comments_mode === undefined || comments_mode === null) comments_mode = 0;
  image_width = Number(image_width) || 0;
  image_height = Number(image_height) || 0;
  popup_width = Number(popup_width) || 0;
  popup_height = Number(popup_height) || 0;
  comments_mode = Number(comments_mode) || 0;
  var screen_w = screen.availWidth || screen.width;
  var screen_h = screen.availHeight || screen.height;
  var margin = comments_mode == 3 ? 20 : 0;
  // A tiny screen must not turn the shrinking loops below into endless ones.
  var max_w = Math.max(screen_w - 30, 100);
  var max_h = Math.max(screen_h - 30 - margin, 100);
  var w = popup_width, h = popup_height, reduced = false;
  if (popup_width > 0) {
    w = Math.max(100, Math.min(popup_width, screen_w - 30));
    h = Math.max(100, Math.min(popup_height, screen_h - 30));
    reduced = image_width > w || image_height > h - margin;
  } else if (popup_width == -1) {
    w = image_width;
    h = image_height;
    if (w > max_w || h > max_h) {
      reduced = true;
      if (adapt_image) {
        while (w > max_w || h > max_h) { w *= 0.9; h *= 0.9; }
      } else {
        while (w > max_w) w *= 0.9;
        while (h > max_h) h *= 0.9;
      }
      w = Math.floor(w);
      h = Math.floor(h) + margin;
      if (adapt_image && allow_full_size) w += 13;
    } else {
      h += margin;
    }
  }
  var full_screen = w < 0;
  var area_w, area_h, features;
  if (full_screen) {
    w = screen_w;
    h = screen_h - 25;
    area_w = screen_w - 16;
    area_h = screen_h - 20 - margin;
    reduced = image_width > area_w || image_height > area_h;
    features = "left=0,top=0,width=" + w + ",height=" + h + ",resizable=yes,scrollbars=yes";
  } else {
    w = Math.max(w, 100);
    h = Math.max(h, 100);
    area_w = w;
    area_h = h - margin;
    var top = Math.max(0, Math.floor((screen_h - h - 25) / 2));
    var left = Math.max(0, Math.floor((screen_w - w - 4) / 2));
    // Unknown picture sizes get a window the visitor can adjust.
    var scrolled = (reduced && (!adapt_image || allow_full_size)) || !(image_width > 0 && image_height > 0);
    features = "left=" + left + ",top=" + top + ",width=" + w + ",height=" + h +
      (scrolled ? ",resizable=yes,scrollbars=yes" : ",resizable=no,scrollbars=no");
  }
  var shown_w = image_width, shown_h = image_height, toggles = false;
  if (reduced && adapt_image && image_width > 0 && image_height > 0) {
    var usable_w = area_w - (allow_full_size ? 16 : 0);
    var usable_h = area_h - (allow_full_size ? 5 : 0);
    var ratio = Math.min(usable_w / image_width, usable_h / image_height);
    shown_w = Math.max(1, Math.floor(image_width * ratio));
    shown_h = Math.max(1, Math.floor(image_height * ratio));
    toggles = !!allow_full_size;
  }
  var html = Vorlex_PopupDocument(file, shown_w, shown_h, image_width, image_height, toggles,
    full_screen, bgcolor, textcolor, String(comments), comments_mode);
  // A window left open from an earlier picture would keep its old size.
  if (Vorlex_Popup.opened && !Vorlex_Popup.opened.closed) Vorlex_Popup.opened.close();
  var zoom = window.open("", "Vorlex_Zoom", features);
  if (!zoom) return false;
  Vorlex_Popup.opened = zoom;
  zoom.document.open();
  zoom.document.write(html);
  zoom.document.close();
  zoom.focus();
  return false;
}

function Vorlex_PopupColor(value, fallback) {
  return /^#[0-9A-Fa-f]{3,8}$|^[A-Za-z]+$/.test(String(value)) ? String(value) : fallback;
}

function Vorlex_PopupLiteral(text) {
  return JSON.stringify(text).replace(/</g, "\\u003c").replace(/\u2028/g, "\\u2028").replace(/\u2029/g, "\\u2029");
}

// Script-bubble comments arrive escaped for one more script string.
function Vorlex_PopupUnescape(text) {
  return text.replace(/\\(.)/g, function (all, c) { return c == "n" ? "\n" : c; });
}

// Runs inside the zoom window: its own tooltips and the size toggle.
function Vorlex_PopupScript(comment) {
  var tip_x = 0, tip_y = 0, tip_on = false;
  function place() {
    var d = document.getElementById("topdecklink");
    var right = window.pageXOffset + document.documentElement.clientWidth;
    var x = tip_x;
    if (x + d.offsetWidth > right) x = Math.max(window.pageXOffset, right - d.offsetWidth - 2);
    d.style.left = x + "px";
    d.style.top = (tip_y + 20) + "px";
  }
  document.addEventListener("mousemove", function (e) {
    tip_x = e.pageX; tip_y = e.pageY;
    if (tip_on) place();
  }, false);
  window.poplink = function (msg) {
    var d = document.getElementById("topdecklink");
    var e = window.event;
    if (e && e.pageX !== undefined) { tip_x = e.pageX; tip_y = e.pageY; }
    d.innerHTML = '<div class="popperbox">' + msg + "</div>";
    d.style.visibility = "visible";
    tip_on = true;
    place();
  };
  window.killlink = function () {
    document.getElementById("topdecklink").style.visibility = "hidden";
    tip_on = false;
  };
  window.Vorlex_ShowComment = function () { window.poplink(comment); };
  window.Vorlex_ToggleSize = function (img) {
    var full = img.getAttribute("data-full") != "1";
    img.width = full ? img.getAttribute("data-real-width") : img.getAttribute("data-small-width");
    img.height = full ? img.getAttribute("data-real-height") : img.getAttribute("data-small-height");
    img.setAttribute("data-full", full ? "1" : "0");
    img.style.cursor = full ? "zoom-out" : "zoom-in";
  };
}

function Vorlex_PopupDocument(file, shown_w, shown_h, real_w, real_h, toggles, full_screen, bgcolor, textcolor, comments, comments_mode) {
  var bg = Vorlex_PopupColor(bgcolor, "#000000");
  var fg = Vorlex_PopupColor(textcolor, "#FFFFFF");
  var source = new URL(String(file), document.baseURI).href.replace(/"/g, "%22");
  var comment = comments_mode == 2 ? Vorlex_PopupUnescape(comments) : comments;
  var attribute = comment.replace(/"/g, "&quot;");
  var parts = [];
  parts.push('<!DOCTYPE html><html lang="fr"><head><meta charset="utf-8"><title>Zoom de l\'image</title>');
  parts.push(Vorlex_PopupProtection());
  parts.push("<style>html,body{margin:0;padding:0;border:0}body{background-color:" + bg + ";color:" + fg +
    ";text-align:center;font-family:verdana,arial,sans-serif;font-size:small}" +
    "#topdecklink{position:absolute;visibility:hidden;z-index:200;pointer-events:none;text-align:left}" +
    ".popperbox{border:1px solid #000;background-color:#FFFFE1;color:#000;font-family:verdana,arial,sans-serif;" +
    "font-size:small;padding:2px 4px;max-width:40em}#vorlex_zoom{display:block;margin:0 auto}" +
    "#vorlex_comment{color:" + fg + ";line-height:20px}#vorlex_close{color:" + fg + "}</style>");
  parts.push("<script>(" + Vorlex_PopupScript.toString() + ")(" + Vorlex_PopupLiteral(comment) + ");<\/script>");
  parts.push("</head><body" + Vorlex_PopupBodyAttributes() + '><div id="topdecklink" class="popperlink"></div>');
  var img = '<img id="vorlex_zoom" src="' + source + '"';
  if (shown_w > 0 && shown_h > 0) img += ' width="' + shown_w + '" height="' + shown_h + '"';
  if (toggles) {
    img += ' data-small-width="' + shown_w + '" data-small-height="' + shown_h + '" data-real-width="' + real_w +
      '" data-real-height="' + real_h + '" data-full="0" style="cursor:zoom-in" onclick="Vorlex_ToggleSize(this)"';
  }
  if (comments_mode == 1) img += ' alt="' + attribute + '" title="' + attribute + '"';
  else img += ' alt=""';
  if (comments_mode == 2) img += ' onmouseover="Vorlex_ShowComment()" onmouseout="killlink()"';
  parts.push(img + ">");
  if (comments_mode == 3) parts.push('<div id="vorlex_comment">' + comment + "</div>");
  if (full_screen) parts.push('<div><a id="vorlex_close" href="javascript:window.close()">Fermer</a></div>');
  parts.push("</body></html>");
  return parts.join("");
}

