#include "shell/ui/movie_view.h"

#include <webkit2/webkit2.h>

#include <cstdlib>
#include <cstring>

#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/process_memory.h"
#include "shell/ui/json_text.h"
#include "shell/ui/player_store.h"
#include "shell/ui/scheme_replies.h"
#include "shell/ui/ui_trace.h"

namespace {

constexpr const char* kScheme = "vanto";
constexpr const char* kPageAddress = "vanto://app/player/index.html";
constexpr std::string_view kCommandPath = "/host/fscommand";
// Ruffle reports itself ready within a few seconds even on a loaded machine.
constexpr unsigned kStartTimeoutSeconds = 30;

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
    : events_(std::move(events)),
      files_(std::move(player_folder), std::move(font_file)),
      bridge_(ui, operations_, events_.fs_command) {
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
  UiTraceStep("web view made");
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
  std::string path = RequestPath(request);
  if (path == kCommandPath) {
    bridge_.Handle(request);
  } else {
    files_.Serve(request, path);
  }
}

void MovieView::OnPageMessage(const std::string& message) {
  if (message.rfind("step ", 0) == 0) {
    // "step <ms since the epoch> <what>"
    std::size_t blank = message.find(' ', 5);
    if (blank != std::string::npos)
      UiTraceStep(message.substr(blank + 1), std::atoll(message.c_str() + 5));
    return;
  }
  UiTrace({"Page", message});
  if (message == "ready") {
    page_ready_ = true;
    Flush();
  } else if (message.rfind("frame ", 0) == 0) {
    // A movie is on screen: the work before it (the start-up, the last
    // movie's player) is over, and what it freed can go back.
    vanto::platform::ReturnFreedMemory();
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
  operations_.Add(std::move(op));
  if (!operations_.InCommand()) Flush();
}

void MovieView::Flush() {
  if (!page_ready_ || operations_.empty()) return;
  std::string script = "vanto.run([" + operations_.TakeJoined() + "])";
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
  UiTraceStep("LoadMovie " + *address);
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
