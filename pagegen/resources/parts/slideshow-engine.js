</script>
<script>
// Shows the pictures one after the other: each stays diaporama_delay
// milliseconds, then the next one is loaded and replaces it one second later.
// A picture that cannot be loaded is skipped.
var vorlex_show = { current: -1, steps: 0, failures: 0, token: 0, timer: null, status_timer: null, not_before: 0, paused: false, ended: false };

function vorlex_count() {
  if (!(nb_images > 0) || nb_images > image_data_array.length) nb_images = image_data_array.length;
  return nb_images;
}

function vorlex_status(text) {
  document.getElementById("vorlex_status").textContent = text;
}

function vorlex_button(text) {
  document.getElementById("vorlex_pause").textContent = text;
}

function vorlex_next_index() {
  var count = vorlex_count();
  if (!AutoLoop && vorlex_show.steps >= count) return -1;
  if (vorlex_random) {
    var n = Math.floor(Math.random()*nb_images);
    if (count > 1 && n == vorlex_show.current) n = (n + 1) % count;
    return n;
  }
  var next = vorlex_show.current + 1;
  if (next >= count) next = AutoLoop ? 0 : -1;
  return next;
}

function vorlex_stop_timer() {
  if (vorlex_show.timer !== null) clearTimeout(vorlex_show.timer);
  if (vorlex_show.status_timer !== null) clearTimeout(vorlex_show.status_timer);
  vorlex_show.timer = null;
  vorlex_show.status_timer = null;
  vorlex_show.token++;
}

function vorlex_end() {
  vorlex_stop_timer();
  vorlex_show.ended = true;
  vorlex_status("Diaporama terminé");
  vorlex_button("Recommencer");
}

function vorlex_wait() {
  vorlex_stop_timer();
  vorlex_show.timer = setTimeout(function () {
    vorlex_show.timer = null;
    // The next picture loads meanwhile; a skipped one does not shorten the wait.
    vorlex_show.not_before = new Date().getTime() + 1000;
    var next = vorlex_next_index();
    if (next < 0) vorlex_end();
    else vorlex_load(next);
  }, Math.max(0, diaporama_delay));
}

function vorlex_load(index) {
  var token = ++vorlex_show.token;
  var record = image_data_array[index];
  vorlex_show.steps++;
  if (!record) { vorlex_skip(index); return; }
  var picture = new Image();
  picture.onload = function () {
    if (token != vorlex_show.token) return;
    var early = vorlex_show.not_before - new Date().getTime();
    if (early <= 0) { vorlex_display(index, picture); return; }
    vorlex_show.timer = setTimeout(function () {
      vorlex_show.timer = null;
      if (token == vorlex_show.token) vorlex_display(index, picture);
    }, early);
  };
  picture.onerror = function () {
    if (token == vorlex_show.token) vorlex_skip(index);
  };
  var loading = function () {
    vorlex_show.status_timer = null;
    if (token == vorlex_show.token)
      vorlex_status("Chargement de l'image " + (index + 1) + " sur " + vorlex_count() + "...");
  };
  // The shown picture keeps its status line unless the next one is late.
  if (vorlex_show.status_timer !== null) clearTimeout(vorlex_show.status_timer);
  var wait = vorlex_show.not_before - new Date().getTime();
  if (wait > 0) vorlex_show.status_timer = setTimeout(loading, wait + 50);
  else loading();
  picture.src = record.path;
}

function vorlex_skip(index) {
  vorlex_show.current = index;
  if (++vorlex_show.failures >= vorlex_count()) {
    vorlex_stop_timer();
    vorlex_show.ended = true;
    vorlex_status("Aucune image du diaporama n'a pu être chargée");
    vorlex_button("Recommencer");
    return;
  }
  var next = vorlex_next_index();
  if (next < 0) { vorlex_end(); return; }
  vorlex_status("L'image " + (index + 1) + " n'a pas pu être chargée : image suivante...");
  vorlex_load(next);
}

function vorlex_display(index, picture) {
  var record = image_data_array[index];
  vorlex_show.current = index;
  vorlex_show.failures = 0;
  vorlex_put_picture(record, picture.src);
  vorlex_status("Image " + (index + 1) + " sur " + vorlex_count());
  if (!vorlex_show.paused) vorlex_wait();
}

function vorlex_pause_or_restart() {
  if (vorlex_show.ended) {
    vorlex_show.ended = false;
    vorlex_show.paused = false;
    vorlex_show.steps = 0;
    vorlex_show.failures = 0;
    vorlex_show.current = -1;
    vorlex_button("Pause");
    vorlex_start();
  } else if (vorlex_show.paused) {
    vorlex_show.paused = false;
    vorlex_button("Pause");
    vorlex_status("Reprise du diaporama...");
    vorlex_wait();
  } else {
    vorlex_show.paused = true;
    vorlex_stop_timer();
    vorlex_button("Reprendre");
    vorlex_status("Diaporama suspendu");
  }
}

function vorlex_start() {
  if (vorlex_count() == 0) {
    vorlex_show.ended = true;
    vorlex_status("Aucune image dans ce diaporama");
    return;
  }
  var first = vorlex_random ? Math.floor(Math.random()*nb_images) : 0;
  vorlex_show.not_before = 0;
  vorlex_load(first);
