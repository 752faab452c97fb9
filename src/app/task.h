// A coroutine that runs as part of another: `co_await sub_task(...)` runs the
// sub-task to its end (suspending as often as it must) and gives its result.
// The dialogue is written as such coroutines, so that it reads like the
// sequence of questions it asks while the program goes on with its window
// whenever a question waits for its answer.
//
// A task starts only when awaited (or resumed by its owner) and hands control
// straight back to the one awaiting it when it ends. Destroying a suspended
// task destroys every task it is awaiting: that is how a dialogue is dropped
// when the input ends or the program is closed mid-question.
//
// Write `const char k = co_await ...; if (k == ...)`, never a co_await inside
// the condition of an if: GCC 12 builds the latter into a coroutine that
// crashes when resumed.
#pragma once

#include <coroutine>
#include <exception>
#include <type_traits>
#include <utility>

namespace task_detail {

template <class Promise>
struct FinalAwaiter {
  bool await_ready() noexcept { return false; }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> done) noexcept {
    const std::coroutine_handle<> next = done.promise().continuation;
    return next ? next : std::noop_coroutine();
  }
  void await_resume() noexcept {}
};

struct PromiseBase {
  std::coroutine_handle<> continuation;
  std::suspend_always initial_suspend() noexcept { return {}; }
  // Exceptions are not used in the program; one escaping a task is a bug.
  void unhandled_exception() noexcept { std::terminate(); }
};

// Owns the coroutine frame; awaiting runs it.
template <class Promise>
class Owner {
 public:
  using Handle = std::coroutine_handle<Promise>;
  explicit Owner(Handle h) : handle_(h) {}
  Owner(Owner&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) {
      if (handle_) handle_.destroy();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() {
    if (handle_) handle_.destroy();
  }

  bool await_ready() const noexcept { return false; }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
    handle_.promise().continuation = awaiting;
    return handle_;
  }

 protected:
  Handle handle_;
};

}  // namespace task_detail

template <class T = void>
class [[nodiscard]] Task;

template <class T>
struct TaskPromise : task_detail::PromiseBase {
  T value{};
  Task<T> get_return_object();
  task_detail::FinalAwaiter<TaskPromise> final_suspend() noexcept { return {}; }
  void return_value(T v) { value = std::move(v); }
};

template <>
struct TaskPromise<void> : task_detail::PromiseBase {
  Task<void> get_return_object();
  task_detail::FinalAwaiter<TaskPromise> final_suspend() noexcept { return {}; }
  void return_void() {}
};

template <class T>
class [[nodiscard]] Task : public task_detail::Owner<TaskPromise<T>> {
  using Base = task_detail::Owner<TaskPromise<T>>;

 public:
  using promise_type = TaskPromise<T>;
  explicit Task(typename Base::Handle h) : Base(h) {}

  // The awaiting coroutine goes on with the task's result.
  T await_resume() {
    if constexpr (!std::is_void_v<T>) return std::move(this->handle_.promise().value);
  }

  // For the owner of an outermost task: run it until it waits or ends.
  void resume() {
    if (this->handle_ && !this->handle_.done()) this->handle_.resume();
  }
  bool done() const { return !this->handle_ || this->handle_.done(); }
  // The result of a task that is done.
  decltype(auto) result() const
    requires(!std::is_void_v<T>)
  {
    return static_cast<const T&>(this->handle_.promise().value);
  }
};

template <class T>
Task<T> TaskPromise<T>::get_return_object() {
  return Task<T>{std::coroutine_handle<TaskPromise>::from_promise(*this)};
}
inline Task<void> TaskPromise<void>::get_return_object() {
  return Task<void>{std::coroutine_handle<TaskPromise>::from_promise(*this)};
}
