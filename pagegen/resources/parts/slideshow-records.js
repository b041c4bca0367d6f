// Shared by the slideshow pages: the picture table, status line and fitting.
function image_data(path, width, height, comments, comments_mode, highres_path, popup_mode, high_res_width, high_res_height, popup_width, popup_height, popup_adapt_image, popup_allow_full_size, popup_bgcolor, popup_textcolor, popup_comments_mode, special_popup_comments) {
  this.path = String(path);
  this.width = Number(width) || 0;
  this.height = Number(height) || 0;
  this.comments = comments === undefined || comments === null ? "" : String(comments);
  this.comments_mode = comments_mode === undefined ? 1 : Number(comments_mode) || 0;
  this.highres_path = highres_path === undefined ? "" : String(highres_path);
  this.popup_mode = Number(popup_mode) || 0;
  this.high_res_width = Number(high_res_width) || 0;
  this.high_res_height = Number(high_res_height) || 0;
  this.popup_width = Number(popup_width) || 0;
  this.popup_height = Number(popup_height) || 0;
  this.popup_adapt_image = Number(popup_adapt_image) || 0;
  this.popup_allow_full_size = Number(popup_allow_full_size) || 0;
  this.popup_bgcolor = popup_bgcolor === undefined ? "" : String(popup_bgcolor);
  this.popup_textcolor = popup_textcolor === undefined ? "" : String(popup_textcolor);
  this.popup_comments_mode = Number(popup_comments_mode) || 0;
  this.special_popup_comments = special_popup_comments === undefined ? "" : String(special_popup_comments);
}
var image_data_array = [];
