// Full-size pictures are shrunk, never enlarged, to fit the window.
function vorlex_put_picture(record, source) {
  var img = document.getElementById("vorlex_picture");
  var w = record.width, h = record.height;
  var room_w = Math.max(50, document.documentElement.clientWidth - 20);
  var room_h = Math.max(50, window.innerHeight - document.getElementById("vorlex_controls").offsetHeight - 30);
  if (w > 0 && h > 0) {
    var ratio = Math.min(1, room_w / w, room_h / h);
    img.width = Math.max(1, Math.floor(w * ratio));
    img.height = Math.max(1, Math.floor(h * ratio));
  } else {
    img.removeAttribute("width");
    img.removeAttribute("height");
  }
  img.src = source;
  img.setAttribute("data-index", String(vorlex_show.current + 1));
  vorlex_put_comment(img, record.comments, record.comments_mode);
}

// Mode 1: the comment as the picture's own bubble; mode 2: the script bubble.
function vorlex_put_comment(img, comments, mode) {
  img.alt = mode == 1 ? comments : "";
  img.title = mode == 1 ? comments : "";
  img.onmouseover = mode == 2 ? function () { poplink(comments); } : null;
  img.onmouseout = mode == 2 ? function () { killlink(); } : null;
  if (mode != 2) killlink();
}
