// The base of the program's components: an owner, a name, the "being loaded" state of a window
// definition, and the event convention.
//
// Events are std::function members named On... whose first argument is Sender, the component
// that raises them. An event that is empty is skipped.
#pragma once

#include <functional>
#include <string>

class TObject {
 public:
  virtual ~TObject() = default;
};

class TComponent;
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner = nullptr) : owner_(owner) {}
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // True while the owner's stored properties are being applied; setters then only store.
  bool IsLoading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  // Ends loading and runs Loaded, where a component acts on its final stored values.
  void EndLoading() {
    loading_ = false;
    Loaded();
  }

 protected:
  virtual void Loaded() {}

 private:
  TComponent* owner_;
  std::string name_;
  bool loading_ = false;
};

// Raises an event when it is set.
template <typename Event, typename... Args>
void Fire(const Event& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}
