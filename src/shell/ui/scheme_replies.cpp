#include "shell/ui/scheme_replies.h"

#include <gio/gio.h>
#include <libsoup/soup.h>
#include <sys/stat.h>
#include <webkit2/webkit2.h>

#include "shell/ui/served_files.h"

namespace {

std::string ReadAll(GInputStream* stream) {
  std::string out;
  if (!stream) return out;
  char buffer[8192];
  gssize n;
  while ((n = g_input_stream_read(stream, buffer, sizeof buffer, nullptr, nullptr)) > 0) {
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return out;
}

// The content type goes into the headers too: the engine checks them for
// WebAssembly, which otherwise compiles slowly.
void SetContentType(WebKitURISchemeResponse* response, const char* type) {
  webkit_uri_scheme_response_set_content_type(response, type);
  SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
  soup_message_headers_append(headers, "Content-Type", type);
  webkit_uri_scheme_response_set_http_headers(response, headers);
}

}  // namespace

std::string Unescape(const char* text) {
  if (!text) return {};
  char* raw = g_uri_unescape_string(text, nullptr);
  if (!raw) return {};
  std::string out(raw);
  g_free(raw);
  return out;
}

std::string RequestPath(WebKitURISchemeRequest* request) {
  return Unescape(webkit_uri_scheme_request_get_path(request));
}

std::string RequestBody(WebKitURISchemeRequest* request) {
  GInputStream* body = webkit_uri_scheme_request_get_http_body(request);
  std::string text = ReadAll(body);
  if (body) g_object_unref(body);
  return text;
}

void FinishNotFound(WebKitURISchemeRequest* request) {
  GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "not served");
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

void FinishWithText(WebKitURISchemeRequest* request, const std::string& text, const char* type) {
  GInputStream* stream =
      g_memory_input_stream_new_from_data(g_memdup2(text.data(), text.size()), text.size(), g_free);
  WebKitURISchemeResponse* response =
      webkit_uri_scheme_response_new(stream, static_cast<gint64>(text.size()));
  SetContentType(response, type);
  webkit_uri_scheme_request_finish_with_response(request, response);
  g_object_unref(response);
  g_object_unref(stream);
}

void FinishWithFile(WebKitURISchemeRequest* request, const std::string& path) {
  struct stat info {};
  GFile* file = g_file_new_for_path(path.c_str());
  GFileInputStream* stream = g_file_read(file, nullptr, nullptr);
  g_object_unref(file);
  if (!stream || ::stat(path.c_str(), &info) != 0) {
    if (stream) g_object_unref(stream);
    FinishNotFound(request);
    return;
  }
  WebKitURISchemeResponse* response =
      webkit_uri_scheme_response_new(G_INPUT_STREAM(stream), static_cast<gint64>(info.st_size));
  SetContentType(response, ContentTypeOf(path));
  webkit_uri_scheme_request_finish_with_response(request, response);
  g_object_unref(response);
  g_object_unref(stream);
}
