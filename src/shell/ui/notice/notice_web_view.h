// The notice page's browser: a WebKitGTK view in a web context of its own
// (ephemeral, no bridge to the host), embedded in a wx window. It reports the
// three events the notice window reacts to.
#pragma once

#include <functional>
#include <memory>
#include <string>

class wxWindow;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitWebView WebKitWebView;

class NoticeWebView {
 public:
  struct Events {
    // The top-level document finished loading without an error.
    std::function<void()> document_complete;
    // Every navigation the page or the program starts, before it happens.
    std::function<void(const std::string& url)> before_navigate;
    // A top-level page could not be loaded (network failure or an HTTP
    // error status); reported after the failed load has wound down.
    std::function<void(const std::string& url)> navigate_error;
  };

  NoticeWebView(wxWindow* parent, Events events);
  ~NoticeWebView();
  NoticeWebView(const NoticeWebView&) = delete;
  NoticeWebView& operator=(const NoticeWebView&) = delete;

  // The wx window holding the view, for placing it.
  wxWindow* window() const { return host_; }
  void Navigate(const std::string& url);
  // Gives the page the keyboard (links can be followed with Tab and Enter).
  void Focus();

 private:
  static void OnLoadChanged(WebKitWebView* view, int load_event, void* self);
  static int OnLoadFailed(WebKitWebView* view, int load_event, char* uri, void* error, void* self);
  static int OnDecidePolicy(WebKitWebView* view, void* decision, int type, void* self);
  void ReportError(const std::string& url);

  Events events_;
  WebKitWebContext* context_ = nullptr;
  WebKitWebView* view_ = nullptr;
  wxWindow* host_ = nullptr;
  bool load_failed_ = false;
  // Lets a posted error report know whether the view still exists.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
