#pragma once
// The form reader: builds a form from its text description.
//
//   object MainDlgForm: TMainDlgForm      root: the form itself
//     ClientWidth = 492                   integer (may be negative)
//     Caption = 'It''s'#13'two lines'     string: quoted pieces and #n character codes
//     BorderIcons = [biSystemMenu]        set
//     Position = poScreenCenter           identifier: enumeration value, True/False, colour,
//     OnCloseQuery = FormCloseQuery       a handler of the form, or a component's name
//     Font.Height = -15                   a property of a property
//     object PgCtrl: TPageControl         a component owned by the form, child of the
//       ...                               enclosing object
//     end
//   end
//
// Components are created by class name from the registry (Classes.h); published fields of
// the form are assigned as their components are created; references to components are
// resolved once the whole description is read; then every component's Loaded runs. Any
// unknown class, property, handler or value, a field of the wrong type or without a
// component raises EFormError with the message "Line N: ...".

#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Exceptions.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class TForm;
class TFormReader;

class EFormError : public Exception {
public:
  using Exception::Exception;
};

struct TFormValue {
  enum class TKind { Integer, String, Ident, Set };
  TKind Kind = TKind::Integer;
  int64_t Integer = 0;
  std::string Text; // the string, or the identifier
  std::vector<std::string> Items;
};

// One "Name = value" line, as a component's ReadProperty sees it.
class TPropertyReader {
public:
  TPropertyReader(TFormReader& reader, std::string name, TFormValue value, int line);

  const std::string& Name() const { return FName; }
  // Case ignored, as everywhere in a description.
  bool Is(const char* name) const;
  int Line() const { return FLine; }
  const TFormValue& Value() const { return FValue; }

  // Each raises EFormError when the value has another form.
  int32_t Integer() const;
  bool Boolean() const;
  const std::string& String() const;
  const std::string& Ident() const;
  TColor Color() const;
  const std::vector<std::string>& Set() const;
  template <class E> E Enum(std::initializer_list<std::pair<const char*, E>> names) const {
    for (const auto& n : names)
      if (SameIdent(n.first)) return n.second;
    Fail("invalid value " + Ident() + " for " + FName);
  }
  template <class E> TSet<E> EnumSet(std::initializer_list<std::pair<const char*, E>> names) const {
    TSet<E> result;
    for (const std::string& item : Set()) {
      bool found = false;
      for (const auto& n : names)
        if (SameText(item, n.first)) {
          result.Include(n.second);
          found = true;
        }
      if (!found) Fail("invalid value " + item + " in " + FName);
    }
    return result;
  }
  // The component the value names, once the whole form is read; assign returns false when
  // the component has the wrong class.
  void Reference(std::function<bool(TComponent*)> assign) const;
  // The form's handler the value names, of the event's signature.
  TNotifyEvent NotifyHandler() const;
  TCloseQueryEvent CloseQueryHandler() const;
  TDrawItemEvent DrawItemHandler() const;

  [[noreturn]] void Fail(const std::string& message) const;

private:
  bool SameIdent(const char* ident) const;
  static bool SameText(const std::string& a, const char* b);
  TFormReader& FReader;
  std::string FName;
  TFormValue FValue;
  int FLine;
};

// Reads text into form; className is the root object's expected class (case ignored).
void ReadForm(TForm& form, const std::string& text, const std::string& className);
