#include "platform/portable/memory_form_controls.h"

namespace fenok {

const MemoryFormControl& MemoryFormControls::get(int id) const { return controls_[id]; }

std::string MemoryFormControls::text(int id) const { return get(id).text; }

void MemoryFormControls::setText(int id, const std::string& text) {
  controls_[id].text = text;
  controls_[id].allTextSelected = false;
}

void MemoryFormControls::setRows(int id, const std::vector<ListRow>& rows) {
  MemoryFormControl& control = controls_[id];
  control.rows = rows;
  control.selection = -1;  // a list that is filled again has lost its selection
}

void MemoryFormControls::setRow(int id, int index, const ListRow& row) {
  MemoryFormControl& control = controls_[id];
  if (index >= 0 && static_cast<std::size_t>(index) < control.rows.size())
    control.rows[static_cast<std::size_t>(index)] = row;
}

void MemoryFormControls::select(int id, int index) {
  MemoryFormControl& control = controls_[id];
  control.selection = index >= 0 && static_cast<std::size_t>(index) < control.rows.size() ? index : -1;
  // A combo box shows its selected row as its text.
  if (control.selection >= 0 && !control.rows[static_cast<std::size_t>(index)].cells.empty())
    control.text = control.rows[static_cast<std::size_t>(index)].cells.front();
}

std::vector<std::string> MemoryFormControls::cells(int id, std::size_t column) const {
  std::vector<std::string> result;
  for (const ListRow& row : get(id).rows) result.push_back(column < row.cells.size() ? row.cells[column] : std::string());
  return result;
}

std::vector<int> MemoryFormControls::ids() const {
  std::vector<int> result;
  for (const auto& entry : controls_) result.push_back(entry.first);
  return result;
}

}  // namespace fenok
