'use strict';
// Writes small gallery and slideshow pages from the built-in resources,
// substituting variables and escaping texts the way the page builders do.
const fs = require('fs');
const path = require('path');

const ACCENTS = [
  ['à', '&agrave;'], ['â', '&acirc;'], ['ä', '&auml;'], ['ã', '&atilde;'], ['Â', '&Acirc;'], ['Ä', '&Auml;'],
  ['À', '&Agrave;'], ['Ã', '&Atilde;'], ['é', '&eacute;'], ['è', '&egrave;'], ['ê', '&ecirc;'], ['ë', '&euml;'],
  ['Ê', '&Ecirc;'], ['Ë', '&Euml;'], ['È', '&Egrave;'], ['ì', '&igrave;'], ['î', '&icirc;'], ['ï', '&iuml;'],
  ['Î', '&Icirc;'], ['Ï', '&Iuml;'], ['Ì', '&Igrave;'], ['ò', '&ograve;'], ['ô', '&ocirc;'], ['ö', '&ouml;'],
  ['õ', '&otilde;'], ['Ô', '&Ocirc;'], ['Ö', '&Ouml;'], ['Ò', '&Ograve;'], ['Õ', '&Otilde;'], ['ù', '&ugrave;'],
  ['û', '&ucirc;'], ['ü', '&uuml;'], ['Û', '&Ucirc;'], ['Ü', '&Uuml;'], ['Ù', '&Ugrave;'], ['ÿ', '&yuml;'],
  ['ç', '&ccedil;'], ['ñ', '&ntilde;'], ['Ñ', '&Ntilde;'], ['€', '&euro;'], ['£', '&pound;'], ['§', '&sect;'],
  ['µ', '&micro;'],
];
const accents = (t) => ACCENTS.reduce((s, [c, e]) => s.split(c).join(e), t);
const swap = (t, steps) => steps.reduce((s, [a, b]) => s.split(a).join(b), t);
const esc = {
  attribute: (t) => swap(accents(t), [['"', '&#34;']]),
  scriptTooltip: (t) => swap(accents(t), [['\\', '\\\\'], ['"', '&#34;'], ["'", "\\'"]]),
  popupComment: (t) => swap(accents(t), [['\\', '\\\\'], ['"', "''"], ["'", "\\'"]]),
  popupBubble: (t) => swap(accents(t), [['\\', '\\\\\\\\'], ['"', "''"], ["'", "\\\\\\'"]]),
  slideshowClassic: (t) => swap(t, [['\\', '\\\\'], ['"', "''"], ["'", "\\'"]]),
  scriptPath: (t) => swap(t, [['\\', '\\\\'], ['"', '&#34;'], ["'", "\\'"]]),
  popupPath: (t) => swap(t, [["'", "\\'"]]),
};

function resource(dir, id) {
  return fs.readFileSync(path.join(dir, `${id}.html`), 'utf8').replace(/\r\n/g, '\n');
}

function tagContent(text, tag) {
  const lower = text.toLowerCase();
  const a = lower.indexOf(`<${tag.toLowerCase()}>`);
  const b = a < 0 ? -1 : lower.indexOf(`</${tag.toLowerCase()}>`, a + 1);
  if (a < 0 || b < 0) return { text: '', position: -1 };
  return { text: text.slice(a + tag.length + 2, b), position: a };
}

function split(design) {
  const block = tagContent(design, 'VORLEX_INSERT_IMAGE');
  if (block.position < 0) throw new Error('design without insertion block');
  return {
    head: design.slice(0, block.position),
    block: block.text,
    tail: design.slice(block.position + block.text.length + 44),
    section: (name) => tagContent(block.text, `VORLEX_${name}`).text,
  };
}

const colour = (rgb) => '#' + rgb.map((v) => v.toString(16).toUpperCase().padStart(2, '0')).join('');

function pageVariables(resDir, o) {
  const v = {
    '?$VORLEX_VAR_INSERT_ZIP_LINK': o.zipLink || '',
    '?$VORLEX_VAR_INSERT_PREVIOUS_LINK': o.previousLink || '',
    '?$VORLEX_VAR_INSERT_NEXT_LINK': o.nextLink || '',
    '?$VORLEX_VARIABLE_TITLE': o.title,
    '?$VORLEX_VARIABLE_NUMBER_OF_IMAGES': String(o.count),
    '?$VORLEX_VARIABLE_NUMBER_OF_LINES': '1',
    '?$VORLEX_VARIABLE_NUMBER_OF_PAGES': String(o.pages || 1),
    '?$VORLEX_VARIABLE_NB_IMAGE_PER_LINE': String(o.count),
    '?$VORLEX_VARIABLE_NB_LINE_PER_PAGE': '1',
    '?$VORLEX_VARIABLE_NB_IMAGE_PER_PAGE': String(o.count),
    '?$VORLEX_VARIABLE_PAGE_INDEX': String(o.page || 1),
    '?$VORLEX_VARIABLE_NB_IMAGE_IN_THIS_PAGE': String(o.count),
    '?$VORLEX_VARIABLE_NB_LINE_IN_THIS_PAGE': '1',
    '?$VORLEX_VARIABLE_TEXTCOLOR': colour([0xFF, 0xFF, 0xFF]),
    '?$VORLEX_VARIABLE_BGCOLOR': colour([0x40, 0x80, 0xFF]),
    '?$VORLEX_VARIABLE_LINKCOLOR': colour([0xFF, 0xFF, 0x00]),
    '?$VORLEX_VARIABLE_BACKGROUND_IMAGE': '',
    '?$VORLEX_VARIABLE_PROTECT_TOOLBAR_IMAGE': o.protect ? resource(resDir, 196) : '',
    '?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC': o.protect ? resource(resDir, 195) : '',
    '?$VORLEX_VARIABLE_PROTECT_IMAGES_BIS_RIGHT_CLIC': o.protect ? resource(resDir, 197) : '',
    '?$VORLEX_VARIABLE_BORDERCOLOR': colour([0, 0, 0]),
    '?$VORLEX_VARIABLE_ZIP_SIZE': o.zipSize || '',
  };
  return (text) => Object.entries(v).reduce((s, [name, value]) => s.split(name).join(value), text);
}

// Markup of one thumbnail, as the image markup rules write it.
function imageMarkup(img, special) {
  let out = '';
  if (img.linkType === 1) out += `<a href="${img.file}" target="_blank">`;
  else if (img.linkType === 17 || img.linkType === 33) {
    out += special ? `<a OnClick="Vorlex_Popup('` : `<a href="javascript:Vorlex_Popup('`;
    out += esc.popupPath(img.file) + "'";
    out += `,${img.w},${img.h}`;
    out += img.linkType === 17 ? ',-2,-2' : img.auto ? ',-1,-1' : `,${img.popupW},${img.popupH}`;
    out += `,${img.adapt ? 1 : 0},${img.allow ? 1 : 0}`;
    out += ",'#000000','#FFFFFF','";
    let w = img.tooltip;
    if (img.noTooltipInPopup) w = 2;
    else if (img.commentUnder && w !== 2) w = 0;
    if (w === 0) out += esc.popupComment(img.comment) + (img.commentUnder ? `',3)">` : `',1)">`);
    else if (w === 1) out += esc.popupBubble(img.comment) + `',2)">`;
    else out += `',0)">`;
  } else out += `<a href="${img.file}">`;
  out += `<img src="${img.thumb}" width=${img.tw} height=${img.th} border=0`;
  if (img.tooltip === 0) out += ` alt="${esc.attribute(img.comment)}" title="${esc.attribute(img.comment)}"`;
  else if (img.tooltip === 1) out += ` onMouseOver="poplink('${esc.scriptTooltip(img.comment)}')" onMouseOut="killlink()"`;
  return out + '></a>';
}

function galleryPage(resDir, o) {
  const d = split(resource(resDir, 169));
  const vars = pageVariables(resDir, { ...o, count: o.images.length,
    previousLink: d.section('BEFORE_PREVIOUS_LINK') + d.section('AFTER_PREVIOUS_LINK'),
    nextLink: d.section('BEFORE_NEXT_LINK') + '<a href="index2.html">' + d.section('INSIDE_NEXT_LINK') + '</a>' +
      d.section('AFTER_NEXT_LINK'), pages: 2 });
  const page = (t) => accents(vars(t));
  let html = page(d.head);
  const popup = o.images.some((i) => i.linkType === 17 || i.linkType === 33);
  if (popup) html += resource(resDir, o.protect ? 194 : 162) + (o.special ? resource(resDir, 191) : '');
  if (o.images.some((i) => i.tooltip === 1)) html += resource(resDir, 164);
  html += page(d.section('BEFORE_FIRST_IMAGE'));
  for (const img of o.images) {
    html += page(d.section('BEFORE_EACH_IMAGE')) + imageMarkup(img, o.special) + page(d.section('AFTER_EACH_IMAGE'));
  }
  html += page(d.section('AFTER_EACH_LINE_OF_IMAGE')) + page(d.section('AFTER_LAST_IMAGE'));
  html += page(resource(resDir, 170)) + page(d.tail);
  return html;
}

function slideshowLine(id, n, img, o) {
  let line = `image_data_array[${n}] = new image_data('`;
  const thumbs = id === 192 || id === 193;
  const p = thumbs ? img.thumb : img.file;
  line += esc.scriptPath(p) + "'," + (thumbs ? `${img.tw},${img.th}` : `${img.w},${img.h}`) + ",'";
  let w = img.tooltip;
  if (!thumbs && img.noTooltipInPopup) w = 2;
  if (w === 0) line += esc.slideshowClassic(img.comment) + (thumbs ? "',1," : "',1);\n");
  else if (w === 1) line += esc.scriptTooltip(img.comment) + (thumbs ? "',2," : "',2);\n");
  else line += thumbs ? "',0," : "',0);\n";
  if (!thumbs) return line;
  if (!o.isLink) return line + "'',1,0,0,0,0,0,0,'','',0);\n";
  line += "'" + esc.popupPath(img.file) + "',";
  if (img.linkType === 1) return line + "1,0,0,0,0,0,0,'','',0,'');\n";
  if (img.linkType !== 17 && img.linkType !== 33) return line + "0,0,0,0,0,0,0,'','',0,'');\n";
  line += `2,${img.w},${img.h}` + (img.linkType === 17 ? ',-2,-2' : img.auto ? ',-1,-1' : `,${img.popupW},${img.popupH}`);
  line += `,${img.adapt ? 1 : 0},${img.allow ? 1 : 0},'#000000','#FFFFFF'`;
  let pw = img.tooltip;
  if (img.noTooltipInPopup) pw = 2;
  else if (img.commentUnder && pw !== 2) pw = 0;
  if (pw === 1) line += ",2,'" + esc.popupBubble(img.comment) + "'";
  else if (pw === 2) line += ",0,''";
  else line += img.commentUnder ? ",3,''" : ",1,''";
  return line + ');\n';
}

function slideshowPage(resDir, id, o) {
  const thumbs = id === 192 || id === 193;
  let design = resource(resDir, id);
  const slideshowVars = {
    '?$VORLEX_LOOP_DIAPORAMA': o.noLoop ? 'false' : 'true',
    '?$VORLEX_CLOSE_OR_BACK_DIAPORAMA': thumbs ? null : resource(resDir, o.back ? 187 : 186),
    '?$VORLEX_IS_LINK_FOR_DIAPORAMA': thumbs ? (o.isLink ? 'true' : 'false') : null,
    '?$VORLEX_STYLE_FOR_LINK_FOR_DIAPORAMA': thumbs ? (o.isLink ? resource(resDir, 191) : '') : null,
  };
  for (const [name, value] of Object.entries(slideshowVars)) {
    if (value !== null) design = design.split(name).join(value);
  }
  const d = split(design);
  const vars = pageVariables(resDir, { ...o, count: o.images.length });
  let head = vars(d.head).split('?$VORLEX_VARIABLE_DELAY_DIAPORAMA').join(String(o.speed * 1000 - 1000));
  if (thumbs) {
    head = head.split('?$VORLEX_DIAPO_WIDTH').join(String(Math.max(0, ...o.images.map((i) => i.tw)) + 8));
    head = head.split('?$VORLEX_DIAPO_HEIGHT').join(String(Math.max(0, ...o.images.map((i) => i.th)) + 48));
  }
  // Picture lines sit inside a script element, which "</" would end early.
  const lines = o.images.map((img, n) => slideshowLine(id, n, img, o).split('</').join('<\\/'));
  return head + lines.join('') + vars(d.tail);
}

function svg(width, height, fill) {
  return `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}">` +
    `<rect width="100%" height="100%" fill="${fill}"/></svg>`;
}

module.exports = { esc, galleryPage, slideshowPage, svg };
