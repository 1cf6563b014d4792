#include "platform/gui/FormReader.h"

#include "platform/gui/Forms.h"
#include "platform/rtl/Strings.h"

#include <cctype>
#include <climits>

namespace {

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool IdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IdentPart(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

struct TToken {
  enum class TKind { End, Ident, Integer, String, Symbol };
  TKind Kind = TKind::End;
  std::string Text; // identifier, string value, or the symbol
  int64_t Integer = 0;
  int Line = 1;
};

} // namespace

// The reader proper: a lexer and a recursive descent over objects and properties.
class TFormReader {
public:
  TFormReader(TForm& form, const std::string& text) : Form(form), Text(text) { Advance(); }

  void Read(const std::string& className);

  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw EFormError(Format("Line %d: %s", {line, message}));
  }
  void AddFixup(int line, std::string name, std::string property,
                std::function<bool(TComponent*)> assign) {
    Fixups.push_back({line, std::move(name), std::move(property), std::move(assign)});
  }
  TForm& Form;

private:
  struct TFixup {
    int Line;
    std::string Name, Property;
    std::function<bool(TComponent*)> Assign;
  };

  void ReadObject(TComponent& component, const std::string& className, bool root);
  TComponent& CreateChild(TComponent& parent, const std::string& name, const std::string& className,
                          int line);
  TFormValue ReadValue();
  std::string ReadStringPieces();

  void Advance();
  TToken Expect(TToken::TKind kind, const char* what);
  void ExpectSymbol(const char* symbol);
  bool IsSymbol(const char* symbol) const {
    return Tok.Kind == TToken::TKind::Symbol && Tok.Text == symbol;
  }
  bool IsKeyword(const char* word) const {
    return Tok.Kind == TToken::TKind::Ident && SameName(Tok.Text, word);
  }

  const std::string& Text;
  size_t Pos = 0;
  int Line = 1;
  TToken Tok;
  std::vector<TFixup> Fixups;
  std::vector<TComponent*> Created;
  int RootEndLine = 1;
  // Objects are read recursively; a description nests a handful deep.
  static constexpr int MaxDepth = 64;
  int Depth = 0;
};

void TFormReader::Advance() {
  for (;;) {
    while (Pos < Text.size() && std::isspace(static_cast<unsigned char>(Text[Pos]))) {
      if (Text[Pos] == '\n') ++Line;
      ++Pos;
    }
    // Comments to the end of the line.
    if (Pos + 1 < Text.size() && Text[Pos] == '/' && Text[Pos + 1] == '/') {
      while (Pos < Text.size() && Text[Pos] != '\n') ++Pos;
      continue;
    }
    break;
  }
  Tok = TToken{};
  Tok.Line = Line;
  if (Pos >= Text.size()) return;
  const char c = Text[Pos];
  if (IdentStart(c)) {
    const size_t start = Pos;
    while (Pos < Text.size() && IdentPart(Text[Pos])) ++Pos;
    Tok.Kind = TToken::TKind::Ident;
    Tok.Text = Text.substr(start, Pos - start);
    return;
  }
  if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '$') {
    bool negative = false;
    size_t p = Pos;
    if (Text[p] == '-') {
      negative = true;
      ++p;
    }
    const bool hex = p < Text.size() && Text[p] == '$';
    if (hex) ++p;
    const size_t digits = p;
    uint64_t value = 0;
    while (p < Text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(Text[p]))
                                   : std::isdigit(static_cast<unsigned char>(Text[p])))) {
      const int d = std::isdigit(static_cast<unsigned char>(Text[p]))
                        ? Text[p] - '0'
                        : std::tolower(static_cast<unsigned char>(Text[p])) - 'a' + 10;
      // Checked before it grows: past 64 bits the value would wrap to a small one.
      const uint64_t base = hex ? 16 : 10;
      if (value > (uint64_t(INT64_MAX) - uint64_t(d)) / base) Fail(Line, "number out of range");
      value = value * base + uint64_t(d);
      ++p;
    }
    if (p == digits) Fail(Line, std::string("unexpected character '") + c + "'");
    if (p < Text.size() && IdentPart(Text[p])) Fail(Line, "invalid number");
    Pos = p;
    Tok.Kind = TToken::TKind::Integer;
    Tok.Integer = negative ? -int64_t(value) : int64_t(value);
    return;
  }
  if (c == '\'' || c == '#') {
    Tok.Kind = TToken::TKind::String;
    Tok.Text = ReadStringPieces();
    return;
  }
  if (c == ':' || c == '=' || c == '[' || c == ']' || c == ',' || c == '+') {
    Tok.Kind = TToken::TKind::Symbol;
    Tok.Text = std::string(1, c);
    ++Pos;
    return;
  }
  Fail(Line, std::string("unexpected character '") + c + "'");
}

// Quoted pieces ('' is a quote) and #n character codes, written one after the other.
std::string TFormReader::ReadStringPieces() {
  std::string value;
  for (;;) {
    if (Pos < Text.size() && Text[Pos] == '\'') {
      ++Pos;
      for (;;) {
        if (Pos >= Text.size() || Text[Pos] == '\n' || Text[Pos] == '\r')
          Fail(Line, "string not closed on its line");
        if (Text[Pos] == '\'') {
          if (Pos + 1 < Text.size() && Text[Pos + 1] == '\'') {
            value += '\'';
            Pos += 2;
            continue;
          }
          ++Pos;
          break;
        }
        value += Text[Pos++];
      }
    } else if (Pos < Text.size() && Text[Pos] == '#') {
      ++Pos;
      int code = 0, digits = 0;
      while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos]))) {
        code = code * 10 + (Text[Pos++] - '0');
        if (++digits > 3) break;
      }
      if (digits == 0 || code > 255) Fail(Line, "invalid character code");
      value += char(code);
    } else {
      return value;
    }
  }
}

TToken TFormReader::Expect(TToken::TKind kind, const char* what) {
  if (Tok.Kind != kind) Fail(Tok.Line, std::string("expected ") + what);
  TToken t = Tok;
  Advance();
  return t;
}

void TFormReader::ExpectSymbol(const char* symbol) {
  if (!IsSymbol(symbol)) Fail(Tok.Line, std::string("expected '") + symbol + "'");
  Advance();
}

TFormValue TFormReader::ReadValue() {
  TFormValue v;
  switch (Tok.Kind) {
  case TToken::TKind::Integer:
    v.Kind = TFormValue::TKind::Integer;
    v.Integer = Tok.Integer;
    Advance();
    return v;
  case TToken::TKind::String:
    v.Kind = TFormValue::TKind::String;
    v.Text = Tok.Text;
    Advance();
    // A long string goes on over lines joined with '+'.
    while (IsSymbol("+")) {
      Advance();
      v.Text += Expect(TToken::TKind::String, "a string after '+'").Text;
    }
    return v;
  case TToken::TKind::Ident:
    v.Kind = TFormValue::TKind::Ident;
    v.Text = Tok.Text;
    Advance();
    return v;
  case TToken::TKind::Symbol:
    if (IsSymbol("[")) {
      v.Kind = TFormValue::TKind::Set;
      Advance();
      while (!IsSymbol("]")) {
        v.Items.push_back(Expect(TToken::TKind::Ident, "a set element").Text);
        if (IsSymbol(","))
          Advance();
        else if (!IsSymbol("]"))
          Fail(Tok.Line, "expected ',' or ']'");
      }
      Advance();
      return v;
    }
    break;
  case TToken::TKind::End: break;
  }
  Fail(Tok.Line, "expected a value");
}

TComponent& TFormReader::CreateChild(TComponent& parent, const std::string& name,
                                     const std::string& className, int line) {
  const TComponentFactory* factory = FindClass(className);
  if (!factory) Fail(line, "unknown class " + className);
  if (name.empty()) Fail(line, "a component needs a name");
  if (Form.FindComponent(name) || SameName(name, Form.Name())) Fail(line, "duplicate name " + name);
  std::unique_ptr<TComponent> made = (*factory)();
  if (!made) Fail(line, "class " + className + " made no component");
  made->SetName(name);
  made->FLoading = true;
  TComponent& component = Form.InsertComponent(std::move(made));
  Created.push_back(&component);
  if (auto* control = dynamic_cast<TControl*>(&component)) {
    auto* container = dynamic_cast<TWinControl*>(&parent);
    if (!container) Fail(line, parent.Name() + " cannot hold controls");
    control->SetParent(container);
  }
  for (auto& field : Form.FFields)
    if (SameName(field.Name, name)) {
      if (!field.Assign(&component))
        Fail(line, "field " + field.Name + " does not fit class " + className);
      field.Assigned = true;
    }
  return component;
}

void TFormReader::ReadObject(TComponent& component, const std::string& className, bool root) {
  for (;;) {
    if (IsKeyword("object")) {
      const int line = Tok.Line;
      Advance();
      const std::string name = Expect(TToken::TKind::Ident, "a component name").Text;
      ExpectSymbol(":");
      const std::string childClass = Expect(TToken::TKind::Ident, "a class name").Text;
      if (++Depth > MaxDepth) Fail(line, "objects nested too deeply");
      TComponent& child = CreateChild(component, name, childClass, line);
      ReadObject(child, childClass, false);
      --Depth;
      continue;
    }
    if (IsKeyword("end")) {
      if (root) RootEndLine = Tok.Line;
      Advance();
      return;
    }
    if (Tok.Kind != TToken::TKind::Ident) Fail(Tok.Line, "expected a property, object or end");
    const int line = Tok.Line;
    const std::string property = Tok.Text;
    Advance();
    ExpectSymbol("=");
    TPropertyReader reader(*this, property, ReadValue(), line);
    if (!component.ReadProperty(reader))
      Fail(line, "unknown property " + property + " of class " + className);
  }
}

void TFormReader::Read(const std::string& className) {
  if (!IsKeyword("object")) Fail(Tok.Line, "expected object");
  const int line = Tok.Line;
  Advance();
  const std::string name = Expect(TToken::TKind::Ident, "the form's name").Text;
  ExpectSymbol(":");
  const std::string rootClass = Expect(TToken::TKind::Ident, "the form's class").Text;
  if (!SameName(rootClass, className))
    Fail(line, "the form is of class " + rootClass + ", not " + className);
  Form.SetName(name);
  Form.FLoading = true;
  ReadObject(Form, rootClass, true);
  if (Tok.Kind != TToken::TKind::End) Fail(Tok.Line, "text after the end of the form");

  for (const TFixup& f : Fixups) {
    TComponent* target = SameName(f.Name, Form.Name()) ? &Form : Form.FindComponent(f.Name);
    if (!target) Fail(f.Line, "no component named " + f.Name + " for " + f.Property);
    if (!f.Assign(target)) Fail(f.Line, f.Name + " does not fit " + f.Property);
  }
  for (const auto& field : Form.FFields)
    if (!field.Assigned) Fail(RootEndLine, "field " + field.Name + " has no component");

  for (TComponent* c : Created) c->FLoading = false;
  Form.FLoading = false;
  for (TComponent* c : Created) c->Loaded();
  Form.Loaded();
}

void ReadForm(TForm& form, const std::string& text, const std::string& className) {
  TFormReader reader(form, text);
  reader.Read(className);
}

// ---- TPropertyReader ----

TPropertyReader::TPropertyReader(TFormReader& reader, std::string name, TFormValue value, int line)
    : FReader(reader), FName(std::move(name)), FValue(std::move(value)), FLine(line) {}

bool TPropertyReader::SameText(const std::string& a, const char* b) {
  return SameName(a, b);
}

bool TPropertyReader::SameIdent(const char* ident) const {
  return SameName(Ident(), ident);
}

bool TPropertyReader::Is(const char* name) const {
  return SameName(FName, name);
}

void TPropertyReader::Fail(const std::string& message) const {
  FReader.Fail(FLine, message);
}

int32_t TPropertyReader::Integer() const {
  if (FValue.Kind != TFormValue::TKind::Integer) Fail(FName + " needs a number");
  if (FValue.Integer < INT32_MIN || FValue.Integer > INT32_MAX) Fail(FName + " out of range");
  return int32_t(FValue.Integer);
}

bool TPropertyReader::Boolean() const {
  if (FValue.Kind == TFormValue::TKind::Ident) {
    if (SameName(FValue.Text, "True")) return true;
    if (SameName(FValue.Text, "False")) return false;
  }
  Fail(FName + " needs True or False");
}

const std::string& TPropertyReader::String() const {
  if (FValue.Kind != TFormValue::TKind::String) Fail(FName + " needs a string");
  return FValue.Text;
}

const std::string& TPropertyReader::Ident() const {
  if (FValue.Kind != TFormValue::TKind::Ident) Fail(FName + " needs an identifier");
  return FValue.Text;
}

TColor TPropertyReader::Color() const {
  if (FValue.Kind == TFormValue::TKind::Integer) {
    if (FValue.Integer < INT32_MIN || FValue.Integer > UINT32_MAX) Fail(FName + " out of range");
    return TColor(uint32_t(FValue.Integer));
  }
  TColor color = 0;
  if (FValue.Kind == TFormValue::TKind::Ident && IdentToColor(FValue.Text, color)) return color;
  Fail(FName + " needs a colour");
}

const std::vector<std::string>& TPropertyReader::Set() const {
  if (FValue.Kind != TFormValue::TKind::Set) Fail(FName + " needs a set");
  return FValue.Items;
}

void TPropertyReader::Reference(std::function<bool(TComponent*)> assign) const {
  FReader.AddFixup(FLine, Ident(), FName, std::move(assign));
}

namespace {
template <class E> E Handler(const TPropertyReader& r, const TForm& form) {
  const TFormHandler* handler = form.FindHandler(r.Ident());
  if (!handler) r.Fail("unknown handler " + r.Ident() + " for " + r.Name());
  const E* event = std::get_if<E>(handler);
  if (!event) r.Fail("handler " + r.Ident() + " does not fit " + r.Name());
  return *event;
}
} // namespace

TNotifyEvent TPropertyReader::NotifyHandler() const {
  return Handler<TNotifyEvent>(*this, FReader.Form);
}

TCloseQueryEvent TPropertyReader::CloseQueryHandler() const {
  return Handler<TCloseQueryEvent>(*this, FReader.Form);
}

TDrawItemEvent TPropertyReader::DrawItemHandler() const {
  return Handler<TDrawItemEvent>(*this, FReader.Form);
}
