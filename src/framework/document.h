#pragma once
// The GUI-free document base: title, path, modified mark and the views that want
// to hear about changes. The desktop program attaches its views as listeners.

#include <functional>
#include <map>
#include <string>

namespace dotforge {

class CDocument {
 public:
  using UpdateListener = std::function<void()>;

  CDocument() = default;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;
  virtual ~CDocument() = default;

  const std::string& GetTitle() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  const std::string& GetPathName() const { return pathName_; }
  void SetPathName(std::string path) { pathName_ = std::move(path); }

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }

  int AddUpdateListener(UpdateListener listener);
  void RemoveUpdateListener(int id);
  // Asks every attached view to repaint.
  void UpdateAllViews() const;

 private:
  std::string title_;
  std::string pathName_;
  bool modified_ = false;
  std::map<int, UpdateListener> listeners_;
  int nextListenerId_ = 1;
};

}  // namespace dotforge
