#pragma once
// A growable list numbered from 1, as the machining lists, the failed-files list and
// the text tables of the drawing are. Index 0 does not exist; an index outside
// 1..size() is a programming error and is caught by an assertion in debug builds.

#include <cassert>
#include <cstddef>
#include <utility>
#include <vector>

namespace mq {

template <class T>
class OneBasedList {
 public:
  using value_type = T;
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  OneBasedList() = default;
  OneBasedList(std::initializer_list<T> items) : items_(items) {}

  T& operator[](int index) {
    assert(index >= 1 && index <= size());
    return items_[static_cast<std::size_t>(index - 1)];
  }
  const T& operator[](int index) const {
    assert(index >= 1 && index <= size());
    return items_[static_cast<std::size_t>(index - 1)];
  }

  int size() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  void clear() { items_.clear(); }
  void reserve(int n) { items_.reserve(static_cast<std::size_t>(n)); }
  void resize(int n) { items_.resize(static_cast<std::size_t>(n)); }
  void resize(int n, const T& fill) { items_.resize(static_cast<std::size_t>(n), fill); }

  void push_back(T item) { items_.push_back(std::move(item)); }
  T& back() { return items_.back(); }
  const T& back() const { return items_.back(); }

  // Inserts before position `index` (1..size()+1); the element there and those after
  // it move one place towards the end.
  void insert(int index, T item) {
    assert(index >= 1 && index <= size() + 1);
    items_.insert(items_.begin() + (index - 1), std::move(item));
  }
  // Removes position `index`; the elements after it move one place up.
  void erase(int index) {
    assert(index >= 1 && index <= size());
    items_.erase(items_.begin() + (index - 1));
  }

  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

  std::vector<T>& raw() { return items_; }
  const std::vector<T>& raw() const { return items_; }

  friend bool operator==(const OneBasedList&, const OneBasedList&) = default;

 private:
  std::vector<T> items_;
};

}  // namespace mq
