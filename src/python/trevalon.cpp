// The Python module `trevalon`: the program's core for scripts and notebooks.
//
//   p = trevalon.Project.open("floor.tva")    # or trevalon.Project.sample()
//   p["Geometry.SpacingSide1"] = 10500         # checked as the window checks the field
//   r = p.design()                             # or p.analyse(): a Results
//   r.beams[0].strength_ratio, r.to_dict(), r["Beam1.PCCAt4500.MDes0,7"]
//   with trevalon.standard("2003"): ...
//
// Results carry the same content as `trevalon analyse --json` (the core's
// ResultsDocument); a run works on a copy of the project, so a Results stays
// as it was when the project changes later, and Design then gives the
// project the sections it chose.
//
// Threads: the GIL is released while a project is analysed, so threads
// analyse their own projects in parallel. Libraries are loaded once per file
// and only read afterwards; a project and a Results are touched only with the
// GIL held. The edition (trevalon.standard) belongs to the calling thread.
//
// Errors are Python exceptions with the program's messages: OSError for
// files, KeyError for a path that names nothing, TypeError for a value of the
// wrong kind, ValueError for a value a field refuses and for a project that
// does not validate, RuntimeError for an error during a calculation.
#include <dlfcn.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "components/cStandard.h"
#include "entity/VEXFiles.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cProjectFile.h"
#include "project/cProjectPaths.h"
#include "project/cResultsJson.h"
#include "project/cScriptRun.h"

namespace py = pybind11;
namespace fs = std::filesystem;

namespace {

[[noreturn]] void RaiseOSError(const std::string& Message, bool IsNotFound = false) {
  PyErr_SetString(IsNotFound ? PyExc_FileNotFoundError : PyExc_OSError, Message.c_str());
  throw py::error_already_set();
}

// ---------------------------------------------------------------------------
// The files the program ships, found from the module's own place: beside the
// programs of a build folder (build/python beside build/bin), or in
// share/trevalon under the prefix an install put the module (PREFIX/lib/...).

std::string ModuleFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&ModuleFolder), &info) == 0 || !info.dli_fname) return ".";
  std::error_code ec;
  const fs::path file = fs::canonical(info.dli_fname, ec);
  return (ec ? fs::path(info.dli_fname) : file).parent_path().string();
}

std::string ShippedFile(const std::string& Name) {
  for (fs::path dir = ModuleFolder();; dir = dir.parent_path()) {
    const std::string found = FindShippedFile((dir / "bin").string(), Name);
    if (FileExists(found)) return found;
    if (dir == dir.parent_path()) break;
  }
  return Name;  // named as it is, so the message says which file is missing
}

// ---------------------------------------------------------------------------
// Libraries: loaded and validated once per file, then only read (several
// threads analyse with one library at once).

std::shared_ptr<const TSession> SessionFor(const std::string& LibraryFile) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const TSession>> sessions;
  const std::string file = LibraryFile.empty() ? ShippedFile("Trevalon.tvl") : LibraryFile;
  std::error_code ec;
  const fs::path key_path = fs::weakly_canonical(file, ec);
  const std::string key = ec ? file : key_path.string();
  std::lock_guard<std::mutex> lock(mutex);
  if (auto it = sessions.find(key); it != sessions.end()) return it->second;
  auto session = std::make_shared<TSession>();
  const TResult loaded = session->LoadLibraries(file);
  if (!loaded) RaiseOSError(loaded.Message(), !FileExists(file));
  if (!session->IsOK()) {
    PyErr_SetString(PyExc_ValueError, ("Library file [" + file + "]: " + session->Status.ErrorMsg).c_str());
    throw py::error_already_set();
  }
  sessions.emplace(key, session);
  return session;
}

// ---------------------------------------------------------------------------
// The edition of the calling thread: unset, the program's (2017).

thread_local std::optional<int> t_edition;

int ThreadEdition() { return t_edition.value_or(StandardVersion()); }

int EditionOf(const py::object& Edition) {
  std::string text;
  if (py::isinstance<py::int_>(Edition) && !py::isinstance<py::bool_>(Edition)) text = std::to_string(Edition.cast<long>());
  else if (py::isinstance<py::str>(Edition)) text = Trim(Edition.cast<std::string>());
  else throw py::type_error("The standard edition is given as \"2017\" or \"2003\"");
  if (text == "2017" || text == StandardName(kStandard2017)) return kStandard2017;
  if (text == "2003" || text == StandardName(kStandard2003)) return kStandard2003;
  throw py::value_error("Unknown standard edition [" + text + "]: \"2017\" or \"2003\"");
}

std::string EditionYear(int Edition) { return Edition == kStandard2003 ? "2003" : "2017"; }

// trevalon.standard("2003"): selects the edition for the calling thread at
// once; as a context manager, the edition before it returns at the end.
class TPyStandard {
 public:
  explicit TPyStandard(const py::object& Edition) : previous_(t_edition) {
    if (!Edition.is_none()) t_edition = EditionOf(Edition);
    edition_ = ThreadEdition();
  }
  TPyStandard& Enter() { return *this; }
  void Exit(const py::object&, const py::object&, const py::object&) { t_edition = previous_; }
  std::string Year() const { return EditionYear(edition_); }
  std::string Name() const { return StandardName(edition_); }

 private:
  std::optional<int> previous_;
  int edition_ = kStandard2017;
};

// ---------------------------------------------------------------------------
// Values between Python and the core.

TPathValue ToPathValue(const py::handle& V) {
  if (py::isinstance<py::bool_>(V)) return TPathValue::OfBoolean(V.cast<bool>());
  if (py::isinstance<py::int_>(V)) {
    try {
      return TPathValue::OfInteger(V.cast<int64_t>());
    } catch (const py::cast_error&) {
      throw py::value_error("The number " + py::str(V).cast<std::string>() + " is out of range");
    }
  }
  if (py::isinstance<py::float_>(V)) return TPathValue::OfNumber(V.cast<double>());
  if (py::isinstance<py::str>(V)) return TPathValue::OfText(V.cast<std::string>());
  throw py::type_error("A project value is a number, a bool or a str, not " +
                       py::str(py::type::of(V).attr("__name__")).cast<std::string>());
}

py::object FromPathValue(const TPathValue& V) {
  switch (V.Kind) {
    case TPathValue::pvNumber: return py::float_(V.Number);
    case TPathValue::pvInteger: return py::int_(V.Integer);
    case TPathValue::pvBoolean: return py::bool_(V.Boolean);
    case TPathValue::pvText: return py::str(V.Text);
  }
  return py::none();
}

[[noreturn]] void RaisePathProblem(const TPathOutcome& Outcome) {
  switch (Outcome.Problem) {
    case TPathProblem::UnknownPath:
    case TPathProblem::NotAnInput: throw py::key_error(Outcome.Message);
    case TPathProblem::WrongType: throw py::type_error(Outcome.Message);
    case TPathProblem::CalculationError: throw std::runtime_error(Outcome.Message);
    default: throw py::value_error(Outcome.Message);
  }
}

// JSON as Python: dicts, or namespaces for attribute access.
py::object FromJson(const TJson& J, bool AsAttributes) {
  switch (J.type()) {
    case TJson::value_t::null: return py::none();
    case TJson::value_t::boolean: return py::bool_(J.get<bool>());
    case TJson::value_t::number_integer: return py::int_(J.get<int64_t>());
    case TJson::value_t::number_unsigned: return py::int_(J.get<uint64_t>());
    case TJson::value_t::number_float: return py::float_(J.get<double>());
    case TJson::value_t::string: return py::str(J.get<std::string>());
    case TJson::value_t::array: {
      py::list list;
      for (const TJson& item : J) list.append(FromJson(item, AsAttributes));
      return list;
    }
    case TJson::value_t::object: {
      py::dict dict;
      for (const auto& [key, value] : J.items()) dict[py::str(key)] = FromJson(value, AsAttributes);
      if (!AsAttributes) return dict;
      return py::module_::import("types").attr("SimpleNamespace")(**dict);
    }
    default: return py::none();
  }
}

// ---------------------------------------------------------------------------
// Results: the analysed copy of a project and its document.

class TPyResults {
 public:
  TPyResults(std::unique_ptr<TProject> Project, TJson Document, int Edition)
      : project_(std::move(Project)), document_(std::move(Document)), edition_(Edition) {}

  py::object Attribute(const char* Key) const { return FromJson(document_.at(Key), true); }
  py::dict ToDict() const { return FromJson(document_, false); }
  std::string ToJson() const { return JsonText(document_); }

  // Any path, evaluated on the analysed project under the run's edition.
  py::object Get(const std::string& Path) {
    TStandardVersionScope edition(edition_);
    const TPathOutcome read = ReadPath(*project_, Path);
    if (!read) RaisePathProblem(read);
    return FromPathValue(read.Value);
  }

  std::string Repr() const {
    std::string text = "<trevalon.Results " + document_.at("standard").get<std::string>() + ":";
    for (const TJson& b : document_.at("beams"))
      text += " " + b.at("path").get<std::string>() + " " + b.at("section").get<std::string>() +
              (b.at("ok").get<bool>() ? " OK" : " FAIL");
    return text + ">";
  }

 private:
  std::unique_ptr<TProject> project_;
  TJson document_;
  int edition_;
};

// ---------------------------------------------------------------------------
// Project.

class TPyProject {
 public:
  static std::unique_ptr<TPyProject> Open(const std::string& File, const std::string& Library) {
    auto p = std::unique_ptr<TPyProject>(new TPyProject(SessionFor(Library), Library));
    const TResult loaded = LoadProjectFile(*p->project_, *p->session_, File);
    if (!loaded) RaiseOSError(loaded.Message(), !FileExists(File));
    p->file_ = File;
    return p;
  }
  static std::unique_ptr<TPyProject> Sample(const std::string& Library) {
    return Open(ShippedFile("SampleAnalysis.tva"), Library);
  }

  const std::string& File() const { return file_; }
  std::string Library() const { return library_.empty() ? ShippedFile("Trevalon.tvl") : library_; }

  py::object Get(const std::string& Path) {
    TStandardVersionScope edition(ThreadEdition());
    const TPathOutcome read = ReadPath(*project_, Path);
    if (!read) RaisePathProblem(read);
    return FromPathValue(read.Value);
  }

  void Set(const std::string& Path, const py::handle& Value) {
    TStandardVersionScope edition(ThreadEdition());
    const TPathOutcome written = WritePath(*project_, *session_, Path, ToPathValue(Value));
    if (!written) RaisePathProblem(written);
  }

  // Save As (the project's own file without a name); the file becomes the project's.
  void Save(const std::optional<std::string>& File) {
    const std::string target = File.value_or(file_);
    if (target.empty()) throw py::value_error("The project has no file yet: save(\"name.tva\")");
    TFileUses uses;
    uses.AddInput(file_, "project file");
    uses.AddInput(Library(), "library file");
    uses.AddOutput(target, file_);
    if (const TResult checked = uses.Check(); !checked) RaiseOSError(checked.Message());
    if (const TResult saved = SaveProjectFileAs(*project_, target, file_); !saved) RaiseOSError(saved.Message());
    file_ = target;
  }

  std::unique_ptr<TPyResults> Run(bool IsDesign) {
    // The copy is made with the GIL held, so no other thread changes the project meanwhile.
    auto ini = TVEXIniFile::FromBytes("");
    project_->SaveToIniFile(ini, "", "");
    const std::string bytes = ini.ToBytes();
    const int edition = ThreadEdition();
    auto copy = std::make_unique<TProject>();
    TScriptRun run;
    TJson document;
    std::string designed;
    {
      py::gil_scoped_release nogil;
      TStandardVersionScope scope(edition);
      auto copy_ini = TVEXIniFile::FromBytes(bytes);
      LoadProjectFromIniFile(*copy, *session_, copy_ini);
      run = RunProjectForScript(*copy, *session_, IsDesign);
      if (run.IsRun) {
        document = ResultsDocument(*copy, file_, run.Messages);
        if (IsDesign) {
          auto out = TVEXIniFile::FromBytes("");
          copy->SaveToIniFile(out, "", "");
          designed = out.ToBytes();
        }
      }
    }
    if (!run.IsRun) {
      std::string message = "The project does not validate";
      for (const std::string& line : run.Messages) message += "\n" + line;
      throw py::value_error(message);
    }
    if (IsDesign) {
      // The sections the design chose become the project's, as the window's Design leaves them.
      TStandardVersionScope scope(edition);
      auto designed_ini = TVEXIniFile::FromBytes(designed);
      LoadProjectFromIniFile(*project_, *session_, designed_ini);
      project_->IsChanged = true;
    }
    return std::make_unique<TPyResults>(std::move(copy), std::move(document), edition);
  }

  std::string Repr() const {
    return "<trevalon.Project " + (project_->Project.empty() ? std::string("(unnamed)") : project_->Project) +
           (file_.empty() ? std::string() : " from " + file_) + ">";
  }

 private:
  TPyProject(std::shared_ptr<const TSession> Session, std::string Library)
      : session_(std::move(Session)), library_(std::move(Library)), project_(std::make_unique<TProject>()) {}

  std::shared_ptr<const TSession> session_;
  std::string library_;  // as given; "" for the shipped one
  std::string file_;     // the file it was opened from or last saved to
  std::unique_ptr<TProject> project_;
};

}  // namespace

PYBIND11_MODULE(trevalon, m) {
  m.doc() =
      "Trevalon: composite steel and concrete floor beams to AS/NZS 2327, for scripts.\n\n"
      "    p = trevalon.Project.open(\"floor.tva\")\n"
      "    p[\"Geometry.SpacingSide1\"] = 10500\n"
      "    r = p.design()\n"
      "    print(r.beams[0].section, r.beams[0].strength_ratio)\n";
  m.attr("__version__") = GetAppFileVersion();

  py::class_<TPyStandard>(m, "Standard",
                          "The design standard edition of the calling thread; a context manager that "
                          "restores the edition before it.")
      .def("__enter__", &TPyStandard::Enter, py::return_value_policy::reference_internal)
      .def("__exit__", &TPyStandard::Exit)
      .def_property_readonly("year", &TPyStandard::Year, "\"2017\" or \"2003\"")
      .def_property_readonly("name", &TPyStandard::Name, "\"AS/NZS2327:2017\" or \"AS/NZS2327.1-2003\"")
      .def("__repr__", [](const TPyStandard& s) { return "<trevalon.standard " + s.Year() + ">"; });
  m.def(
      "standard", [](const py::object& Edition) { return TPyStandard(Edition); }, py::arg("edition") = py::none(),
      "Selects the design standard edition (\"2017\" or \"2003\") for the calling thread; with `with`, only "
      "inside the block. Without an argument, tells the thread's edition.");

  py::class_<TPyResults>(m, "Results",
                         "The results of an analysis or design: the attributes and to_dict() hold what "
                         "`trevalon analyse --json` writes; r[path] evaluates any property path.")
      .def_property_readonly("program", [](const TPyResults& r) { return r.Attribute("program"); })
      .def_property_readonly("version", [](const TPyResults& r) { return r.Attribute("version"); })
      .def_property_readonly("standard", [](const TPyResults& r) { return r.Attribute("standard"); })
      .def_property_readonly("project", [](const TPyResults& r) { return r.Attribute("project"); })
      .def_property_readonly("beams", [](const TPyResults& r) { return r.Attribute("beams"); })
      .def_property_readonly("vibration", [](const TPyResults& r) { return r.Attribute("vibration"); })
      .def_property_readonly("messages", [](const TPyResults& r) { return r.Attribute("messages"); })
      .def("to_dict", &TPyResults::ToDict, "The results as plain dicts and lists (the JSON document).")
      .def("to_json", &TPyResults::ToJson, "The results as the JSON text `--json` writes.")
      .def("__getitem__", &TPyResults::Get, py::arg("path"))
      .def("__repr__", &TPyResults::Repr);

  py::class_<TPyProject>(m, "Project", "A project (.tva) with the library it is checked against.")
      .def_static("open", &TPyProject::Open, py::arg("file"), py::arg("library") = "",
                  "Opens a project file as the program opens it; library: another library file.")
      .def_static("sample", &TPyProject::Sample, py::arg("library") = "", "The sample project shipped with the program.")
      .def_property_readonly("file", &TPyProject::File, "The file the project was opened from or last saved to.")
      .def_property_readonly("library", &TPyProject::Library, "The library file.")
      .def("save", &TPyProject::Save, py::arg("file") = py::none(),
           "Saves the project (into file, which then becomes the project's file).")
      .def("__getitem__", &TPyProject::Get, py::arg("path"))
      .def("__setitem__", &TPyProject::Set, py::arg("path"), py::arg("value"))
      .def(
          "analyse", [](TPyProject& p) { return p.Run(false); },
          "Analyses every beam; returns the Results. The GIL is released meanwhile.")
      .def(
          "design", [](TPyProject& p) { return p.Run(true); },
          "Picks the first passing library section for every standard section, then analyses; the project "
          "keeps the sections chosen. Returns the Results.")
      .def("__repr__", &TPyProject::Repr);
}
