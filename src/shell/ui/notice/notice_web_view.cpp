#include "shell/ui/notice/notice_web_view.h"

#include <webkit2/webkit2.h>
#include <wx/app.h>
#include <wx/nativewin.h>

NoticeWebView::NoticeWebView(wxWindow* parent, Events events) : events_(std::move(events)) {
  context_ = webkit_web_context_new_ephemeral();
  const char* languages[] = {"zh-CN", "en-US", nullptr};
  webkit_web_context_set_preferred_languages(context_, languages);
  view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context_));
  g_object_ref_sink(view_);
  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  host_ = new wxNativeWindow(parent, wxID_ANY, GTK_WIDGET(view_));
}

NoticeWebView::~NoticeWebView() {
  g_signal_handlers_disconnect_by_data(view_, this);
  webkit_web_view_stop_loading(view_);
  g_object_unref(view_);
  g_object_unref(context_);
}

void NoticeWebView::Navigate(const std::string& url) {
  webkit_web_view_load_uri(view_, url.c_str());
}

void NoticeWebView::Focus() {
  gtk_widget_grab_focus(GTK_WIDGET(view_));
}

void NoticeWebView::OnLoadChanged(WebKitWebView*, int load_event, void* self) {
  auto* me = static_cast<NoticeWebView*>(self);
  if (load_event == WEBKIT_LOAD_STARTED) {
    me->load_failed_ = false;
  } else if (load_event == WEBKIT_LOAD_FINISHED && !me->load_failed_) {
    if (me->events_.document_complete) me->events_.document_complete();
  }
}

// A failed load still ends with a "finished" event; the flag keeps that from
// counting as a completed document. Loads that were cancelled (a new
// navigation replaced them) are no errors.
int NoticeWebView::OnLoadFailed(WebKitWebView*, int, char* uri, void* error, void* self) {
  auto* me = static_cast<NoticeWebView*>(self);
  me->load_failed_ = true;
  auto* failure = static_cast<GError*>(error);
  const bool replaced =
      g_error_matches(failure, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
      g_error_matches(failure, WEBKIT_POLICY_ERROR,
                      WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE);
  if (!replaced) me->ReportError(uri ? uri : "");
  return TRUE;  // no built-in error page
}

int NoticeWebView::OnDecidePolicy(WebKitWebView*, void* decision_pointer, int type, void* self) {
  auto* me = static_cast<NoticeWebView*>(self);
  auto* decision = WEBKIT_POLICY_DECISION(decision_pointer);
  if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    WebKitURIResponse* reply = webkit_response_policy_decision_get_response(response);
    if (webkit_response_policy_decision_is_main_frame_main_resource(response) &&
        webkit_uri_response_get_status_code(reply) >= 400) {
      me->load_failed_ = true;
      me->ReportError(webkit_uri_response_get_uri(reply));
      webkit_policy_decision_ignore(decision);
      return TRUE;
    }
    return FALSE;
  }
  auto* navigation = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
  WebKitNavigationAction* action =
      webkit_navigation_policy_decision_get_navigation_action(navigation);
  const std::string url = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
  if (me->events_.before_navigate) me->events_.before_navigate(url);
  // The notice window opens no further windows.
  if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    webkit_policy_decision_ignore(decision);
  } else {
    webkit_policy_decision_use(decision);
  }
  return TRUE;
}

// The error is handed on once the failed load has wound down, so that the
// fallback navigation it leads to is not itself cancelled by that load.
void NoticeWebView::ReportError(const std::string& url) {
  if (!events_.navigate_error) return;
  wxTheApp->CallAfter([this, alive = std::weak_ptr<int>(alive_), url] {
    if (alive.lock()) events_.navigate_error(url);
  });
}
