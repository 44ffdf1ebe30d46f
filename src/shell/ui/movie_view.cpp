#include "shell/ui/movie_view.h"

#include <gio/gio.h>
#include <libsoup/soup.h>
#include <sys/stat.h>
#include <webkit2/webkit2.h>

#include <cstring>

#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "shell/ui/json_text.h"
#include "shell/ui/player_store.h"
#include "shell/ui/served_files.h"
#include "shell/ui/ui_trace.h"

namespace {

constexpr const char* kScheme = "vanto";
constexpr const char* kPageAddress = "vanto://app/player/index.html";
constexpr std::string_view kPlayerPrefix = "/player/";
constexpr std::string_view kCoursePrefix = "/course/";
constexpr std::string_view kCommandPath = "/host/fscommand";
// Ruffle reports itself ready within a few seconds even on a loaded machine.
constexpr unsigned kStartTimeoutSeconds = 30;

std::string Unescape(const char* text) {
  if (!text) return {};
  char* raw = g_uri_unescape_string(text, nullptr);
  if (!raw) return {};
  std::string out(raw);
  g_free(raw);
  return out;
}

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

void FinishNotFound(WebKitURISchemeRequest* request) {
  GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "not served");
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

// The content type goes into the headers too: the engine checks them for
// WebAssembly, which otherwise compiles slowly.
void SetContentType(WebKitURISchemeResponse* response, const char* type) {
  webkit_uri_scheme_response_set_content_type(response, type);
  SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
  soup_message_headers_append(headers, "Content-Type", type);
  webkit_uri_scheme_response_set_http_headers(response, headers);
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

// "cmd=<escaped>&args=<escaped>" as the page sends it.
std::pair<std::string, std::string> ParseCommandBody(const std::string& body) {
  std::string command, args;
  std::size_t start = 0;
  while (start < body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string::npos) end = body.size();
    std::string pair = body.substr(start, end - start);
    std::size_t equals = pair.find('=');
    std::string key = pair.substr(0, equals);
    std::string value = equals == std::string::npos ? "" : Unescape(pair.c_str() + equals + 1);
    if (key == "cmd") command = value;
    if (key == "args") args = value;
    start = end + 1;
  }
  return {command, args};
}

// The course URL of a full host path inside the program folder.
std::optional<std::string> CourseAddress(const std::string& host_path) {
  std::string folder = vanto::platform::CurrentFolder() + "\\";
  if (host_path.compare(0, folder.size(), folder) != 0) return std::nullopt;
  std::string relative = vanto::platform::GbkToUtf8(host_path.substr(folder.size()));
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  char* escaped = g_uri_escape_string(relative.c_str(), "/", FALSE);
  std::string address = "vanto://app/course/" + std::string(escaped);
  g_free(escaped);
  return address;
}

void SchemeRequestThunk(WebKitURISchemeRequest* request, gpointer self) {
  static_cast<MovieView*>(self)->OnSchemeRequest(request);
}

void PageMessageThunk(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer self) {
  char* text = jsc_value_to_string(webkit_javascript_result_get_js_value(result));
  static_cast<MovieView*>(self)->OnPageMessage(text ? text : "");
  g_free(text);
}

void WebProcessGoneThunk(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self) {
  static_cast<MovieView*>(self)->OnEngineFailure("the web engine's process ended");
}

gboolean LoadFailedThunk(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                         gpointer self) {
  if (uri && std::strcmp(uri, kPageAddress) == 0) {
    static_cast<MovieView*>(self)->OnEngineFailure(std::string("the player page did not load: ") +
                                                   (error ? error->message : ""));
  }
  return FALSE;
}

}  // namespace

MovieView::MovieView(vanto::delivery::UiDispatcher& ui, Events events, std::string player_folder,
                     std::string font_file)
    : ui_(ui),
      events_(std::move(events)),
      player_folder_(std::move(player_folder)),
      font_file_(std::move(font_file)) {
  WebKitWebContext* context =
      NewPlayerContext(vanto::platform::NativePath(vanto::platform::ProgramFolder()));
  webkit_web_context_register_uri_scheme(context, kScheme, SchemeRequestThunk, this, nullptr);
  WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
  webkit_security_manager_register_uri_scheme_as_secure(security, kScheme);
  webkit_security_manager_register_uri_scheme_as_cors_enabled(security, kScheme);
  // Ruffle needs a valid language tag; the course is Chinese.
  const gchar* languages[] = {"zh-CN", "en-US", nullptr};
  webkit_web_context_set_preferred_languages(context, languages);

  WebKitUserContentManager* content = webkit_user_content_manager_new();
  webkit_user_content_manager_register_script_message_handler(content, "vanto");
  g_signal_connect(content, "script-message-received::vanto", G_CALLBACK(PageMessageThunk), this);

  view_ = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context,
                                       "user-content-manager", content, nullptr));
  g_object_ref_sink(view_);
  g_object_unref(content);
  g_object_unref(context);
  WebKitSettings* settings = webkit_web_view_get_settings(view_);
  webkit_settings_set_hardware_acceleration_policy(settings,
                                                   WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  webkit_settings_set_enable_write_console_messages_to_stdout(settings, UiTraceEnabled());
  g_signal_connect(view_, "web-process-terminated", G_CALLBACK(WebProcessGoneThunk), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(LoadFailedThunk), this);
  webkit_web_view_load_uri(view_, kPageAddress);

  start_timer_ = g_timeout_add_seconds(
      kStartTimeoutSeconds,
      [](gpointer self) -> gboolean {
        auto* movie = static_cast<MovieView*>(self);
        movie->start_timer_ = 0;
        if (!movie->page_ready_) movie->OnEngineFailure("the movie player did not start");
        return G_SOURCE_REMOVE;
      },
      this);
}

MovieView::~MovieView() {
  *alive_ = false;
  if (start_timer_) g_source_remove(start_timer_);
  g_signal_handlers_disconnect_by_data(view_, this);
  WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_);
  g_signal_handlers_disconnect_by_data(content, this);
  g_object_unref(view_);
}

GtkWidget* MovieView::widget() const {
  return GTK_WIDGET(view_);
}

void MovieView::OnSchemeRequest(WebKitURISchemeRequest* request) {
  std::string path = Unescape(webkit_uri_scheme_request_get_path(request));
  std::string_view view(path);
  if (view == kCommandPath) {
    GInputStream* body = webkit_uri_scheme_request_get_http_body(request);
    std::string text = ReadAll(body);
    if (body) g_object_unref(body);
    HandleCommand(request, text);
    return;
  }
  std::optional<std::string> file;
  if (view.substr(0, kPlayerPrefix.size()) == kPlayerPrefix) {
    std::string_view relative = view.substr(kPlayerPrefix.size());
    file = relative == "font.ttc" ? std::optional<std::string>(font_file_)
                                  : ResolveServedFile(player_folder_, relative);
  } else if (view.substr(0, kCoursePrefix.size()) == kCoursePrefix) {
    std::string folder = vanto::platform::NativePath(vanto::platform::CurrentFolder());
    file = ResolveServedFile(folder, view.substr(kCoursePrefix.size()));
  }
  if (!file) {
    UiTrace({"NotServed", path});
    FinishNotFound(request);
    return;
  }
  UiTrace({"Served", path});
  ServeFile(request, *file);
}

void MovieView::ServeFile(WebKitURISchemeRequest* request, const std::string& path) {
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

// The page waits in a synchronous request; the command runs from the
// user-interface queue (not inside the engine's callback), and the answer
// carries the operations the handler made on the movie.
void MovieView::HandleCommand(WebKitURISchemeRequest* request, const std::string& body) {
  auto [command, args] = ParseCommandBody(body);
  UiTrace({"FSCommand", command, args});
  g_object_ref(request);
  ui_.Post([this, alive = alive_, request, command, args] {
    if (*alive) {
      ++command_depth_;
      if (events_.fs_command) {
        events_.fs_command(vanto::platform::Utf8ToGbk(command), vanto::platform::Utf8ToGbk(args));
      }
      --command_depth_;
    }
    std::string reply = "[";
    if (*alive && command_depth_ == 0) {
      for (std::size_t i = 0; i < waiting_.size(); ++i) reply += (i ? "," : "") + waiting_[i];
      waiting_.clear();
    }
    reply += "]";
    FinishWithText(request, reply, "application/json");
    g_object_unref(request);
  });
}

void MovieView::OnPageMessage(const std::string& message) {
  UiTrace({"Page", message});
  if (message == "ready") {
    page_ready_ = true;
    Flush();
  } else if (message == "key Escape") {
    if (events_.escape) events_.escape();
  } else if (message.rfind("error ", 0) == 0) {
    OnEngineFailure(message.substr(6));
  }
}

void MovieView::OnEngineFailure(const std::string& reason) {
  if (failed_) return;
  failed_ = true;
  UiTrace({"PlayerFailed", reason});
  if (events_.failed) events_.failed(reason);
}

void MovieView::Send(std::string op) {
  UiTrace({"Movie", op});
  waiting_.push_back(std::move(op));
  if (command_depth_ == 0) Flush();
}

void MovieView::Flush() {
  if (!page_ready_ || waiting_.empty()) return;
  std::string script = "vanto.run([";
  for (std::size_t i = 0; i < waiting_.size(); ++i) script += (i ? "," : "") + waiting_[i];
  script += "])";
  waiting_.clear();
  webkit_web_view_evaluate_javascript(view_, script.c_str(), -1, nullptr, nullptr, nullptr, nullptr,
                                      nullptr);
}

void MovieView::SendLoad(const std::string& host_path) {
  std::optional<std::string> address;
  if (host_path != "http://" && !host_path.empty()) address = CourseAddress(host_path);
  if (!address) {
    Send(R"({"op":"unload"})");
    return;
  }
  Send(R"({"op":"load","url":)" + JsonString(*address) + "}");
}

void MovieView::SetMovie(const std::string& value) {
  SendLoad(value);
}
void MovieView::LoadMovie(int, const std::string& path) {
  SendLoad(path);
}
void MovieView::SetLoop(bool loop) {
  Send(std::string(R"({"op":"loop","value":)") + (loop ? "true" : "false") + "}");
}
void MovieView::Play() {
  Send(R"({"op":"play"})");
}
void MovieView::Stop() {
  Send(R"({"op":"stop"})");
}
void MovieView::StopPlay() {
  Send(R"({"op":"stop"})");
}
void MovieView::SetScaleMode(int mode) {
  Send(R"({"op":"scale","value":)" + std::to_string(mode) + "}");
}
void MovieView::SetVariable(const std::string& name, const std::string& value) {
  Send(R"({"op":"setVariable","name":)" + JsonString(vanto::platform::GbkToUtf8(name)) +
       R"(,"value":)" + JsonString(vanto::platform::GbkToUtf8(value)) + "}");
}
std::string MovieView::CallFunction(const std::string& request) {
  Send(R"({"op":"call","request":)" + JsonString(vanto::platform::GbkToUtf8(request)) + "}");
  return {};
}
void MovieView::SetAllowFullScreen(const std::string& value) {
  Send(R"({"op":"allowFullScreen","value":)" + JsonString(vanto::platform::GbkToUtf8(value)) + "}");
}
