// Calls a StatusNotifierItem and its exported menu as any program of the session can: every
// method of their interfaces and of the properties interface, with wrong signatures, wrong arity,
// empty and huge arrays, unknown ids, events and names, and well-formed calls with random values,
// for a time, from a seed. Leaves out only the well-formed calls that act for the user (a menu
// entry clicked, the item's context menu). Prints how many calls of how many kinds it sent and how
// many were answered; status 1 when a call went unanswered.
//
// Usage: vorlin_bus_fuzzer SERVICE SEED SECONDS
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <set>
#include <string>

namespace {

// A menu event as the menu's EventGroup takes it, (isvu).
struct MenuEvent {
  int id = 0;
  QString name;
  QDBusVariant data;
  uint timestamp = 0;
};
// A structure of the wrong shape, (is).
struct Pair {
  int id = 0;
  QString name;
};

QDBusArgument& operator<<(QDBusArgument& a, const MenuEvent& e) {
  a.beginStructure();
  a << e.id << e.name << e.data << e.timestamp;
  a.endStructure();
  return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, MenuEvent& e) {
  a.beginStructure();
  a >> e.id >> e.name >> e.data >> e.timestamp;
  a.endStructure();
  return a;
}
QDBusArgument& operator<<(QDBusArgument& a, const Pair& p) {
  a.beginStructure();
  a << p.id << p.name;
  a.endStructure();
  return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, Pair& p) {
  a.beginStructure();
  a >> p.id >> p.name;
  a.endStructure();
  return a;
}

}  // namespace

Q_DECLARE_METATYPE(MenuEvent)
Q_DECLARE_METATYPE(Pair)

namespace {

struct Method {
  const char* path;
  const char* interface;
  const char* name;
  const char* signature;  // what the method takes
};

const Method kMethods[] = {
    {"/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", "ii"},
    {"/StatusNotifierItem", "org.kde.StatusNotifierItem", "ContextMenu", "ii"},
    {"/StatusNotifierItem", "org.kde.StatusNotifierItem", "SecondaryActivate", "ii"},
    {"/StatusNotifierItem", "org.kde.StatusNotifierItem", "Scroll", "is"},
    {"/StatusNotifierItem", "org.kde.StatusNotifierItem", "ProvideXdgActivationToken", "s"},
    {"/StatusNotifierItem", "org.kde.StatusNotifierItem", "NoSuchMethod", ""},
    {"/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get", "ss"},
    {"/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll", "s"},
    {"/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Set", "ssv"},
    {"/MenuBar", "com.canonical.dbusmenu", "GetLayout", "iias"},
    {"/MenuBar", "com.canonical.dbusmenu", "GetGroupProperties", "aias"},
    {"/MenuBar", "com.canonical.dbusmenu", "GetProperty", "is"},
    {"/MenuBar", "com.canonical.dbusmenu", "Event", "isvu"},
    {"/MenuBar", "com.canonical.dbusmenu", "EventGroup", "a(isvu)"},
    {"/MenuBar", "com.canonical.dbusmenu", "AboutToShow", "i"},
    {"/MenuBar", "com.canonical.dbusmenu", "AboutToShowGroup", "ai"},
    {"/MenuBar", "org.freedesktop.DBus.Properties", "Get", "ss"},
    {"/MenuBar", "org.freedesktop.DBus.Properties", "GetAll", "s"},
    {"/MenuBar", "org.freedesktop.DBus.Properties", "Set", "ssv"},
    {"/MenuBar", "com.canonical.dbusmenu", "NoSuchMethod", "i"},
    {"/MenuBar", "org.example.NoSuchInterface", "GetLayout", "iias"},
    {"/NoSuchObject", "com.canonical.dbusmenu", "GetLayout", "iias"},
};

// The single types and structures a value is made of; 'E' is a menu event, 'P' a pair.
const char kCodes[] = "isubdxoyvPE";

class Fuzzer {
 public:
  explicit Fuzzer(quint32 seed) : random_(seed) {}

  QDBusMessage next(QString* kind) {
    const Method& m = kMethods[random_.bounded(int(std::size(kMethods)))];
    QDBusMessage call = QDBusMessage::createMethodCall(
        service_, QLatin1String(m.path), QLatin1String(m.interface), QLatin1String(m.name));
    QString signature;
    if (random_.bounded(3) == 0) {
      signature = QLatin1String(m.signature);  // well-formed, random values
    } else {
      for (int n = random_.bounded(6); n > 0; --n) signature += randomType();
    }
    QList<QVariant> args;
    for (qsizetype i = 0; i < signature.size();) args.append(value(signature, i));
    if (acts(m, signature, args)) return next(kind);
    call.setArguments(args);
    *kind =
        QStringLiteral("%1.%2(%3)").arg(QLatin1String(m.path), QLatin1String(m.name), signature);
    return call;
  }

  QString service_;

 private:
  QString randomType() {
    const char code = kCodes[random_.bounded(int(sizeof kCodes - 1))];
    const int shape = random_.bounded(4);  // 0: alone, 1: an array of it, 2: a string array
    if (shape == 1) return QLatin1Char('a') + single(code);
    if (shape == 2) return QStringLiteral("as");
    return single(code);
  }
  static QString single(char code) {
    if (code == 'E') return QStringLiteral("(isvu)");
    if (code == 'P') return QStringLiteral("(is)");
    return QString(QLatin1Char(code));
  }

  int anyInt() {
    switch (random_.bounded(4)) {
      case 0:
        return random_.bounded(-2, 6);  // the ids there are, and just beside them
      case 1:
        return std::numeric_limits<int>::min();
      case 2:
        return std::numeric_limits<int>::max();
      default:
        return int(random_.generate());
    }
  }
  // A word of the protocols, a random one, or (alone, not in an array) a huge one.
  QString anyString(bool alone = false) {
    static const char* const kWords[] = {"clicked",
                                         "hovered",
                                         "opened",
                                         "closed",
                                         "",
                                         "label",
                                         "Title",
                                         "IconPixmap",
                                         "org.kde.StatusNotifierItem",
                                         "com.canonical.dbusmenu"};
    const int pick = random_.bounded(int(std::size(kWords)) + 2);
    if (pick < int(std::size(kWords))) return QLatin1String(kWords[pick]);
    if (pick == int(std::size(kWords)) && alone) return QString(70000, QLatin1Char('x'));
    return QString::number(random_.generate(), 36);
  }
  MenuEvent anyEvent() {
    return {anyInt(), anyString(), QDBusVariant(anyInt()), random_.generate()};
  }

  // The value of the type at `at` in `signature`, moving `at` past it.
  QVariant value(const QString& signature, qsizetype& at) {
    const QChar code = signature[at++];
    if (code == QLatin1Char('a')) {
      const QChar element = signature[at];
      const int count = random_.bounded(3) == 0 ? 0 : random_.bounded(2) == 0 ? 4096 : 3;
      if (element == QLatin1Char('(')) {
        const bool event = signature.mid(at, 6) == QLatin1String("(isvu)");
        at += event ? 6 : 4;
        if (event) {
          QList<MenuEvent> events;
          for (int i = 0; i < count; ++i) events.append(anyEvent());
          return QVariant::fromValue(events);
        }
        QList<Pair> pairs;
        for (int i = 0; i < count; ++i) pairs.append({anyInt(), anyString()});
        return QVariant::fromValue(pairs);
      }
      ++at;
      if (element == QLatin1Char('s')) {
        QStringList strings;
        for (int i = 0; i < count; ++i) strings.append(anyString());
        return strings;
      }
      if (element == QLatin1Char('y')) return QByteArray(count, 'y');
      QList<int> ints;  // every other element type is sent as integers
      for (int i = 0; i < count; ++i) ints.append(anyInt());
      return QVariant::fromValue(ints);
    }
    if (code == QLatin1Char('(')) {
      const bool event = signature.mid(at - 1, 6) == QLatin1String("(isvu)");
      at += event ? 5 : 3;
      if (event) return QVariant::fromValue(anyEvent());
      return QVariant::fromValue(Pair{anyInt(), anyString()});
    }
    switch (code.toLatin1()) {
      case 'i':
        return anyInt();
      case 's':
        return anyString(true);
      case 'u':
        return uint(random_.generate());
      case 'b':
        return random_.bounded(2) == 1;
      case 'd':
        return random_.generateDouble() * 1e300;
      case 'x':
        return qlonglong(random_.generate64());
      case 'o':
        return QVariant::fromValue(QDBusObjectPath(QStringLiteral("/MenuBar")));
      case 'y':
        return QVariant::fromValue(uchar(random_.generate()));
      default:
        return QVariant::fromValue(QDBusVariant(anyString()));
    }
  }

  // Whether the call would act as the user does: a click on an entry that is there, or the
  // item's context menu, well-formed.
  static bool acts(const Method& m, const QString& signature, const QList<QVariant>& args) {
    const QString name = QLatin1String(m.name);
    if (signature != QLatin1String(m.signature)) return false;
    if (name == QLatin1String("ContextMenu")) return true;
    const auto clicks = [](int id, const QString& event) {
      return id != 0 && event == QLatin1String("clicked");
    };
    if (name == QLatin1String("Event")) return clicks(args[0].toInt(), args[1].toString());
    if (name == QLatin1String("EventGroup")) {
      for (const MenuEvent& e : args[0].value<QList<MenuEvent>>()) {
        if (clicks(e.id, e.name)) return true;
      }
    }
    return false;
  }

  QRandomGenerator random_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 4) return 2;
  qDBusRegisterMetaType<MenuEvent>();
  qDBusRegisterMetaType<QList<MenuEvent>>();
  qDBusRegisterMetaType<Pair>();
  qDBusRegisterMetaType<QList<Pair>>();
  Fuzzer fuzzer(static_cast<quint32>(std::strtoul(argv[2], nullptr, 10)));
  fuzzer.service_ = QString::fromUtf8(argv[1]);
  const qint64 milliseconds = std::atol(argv[3]) * 1000;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return 3;

  QElapsedTimer clock;
  clock.start();
  std::set<QString> kinds;
  long sent = 0;
  long answered = 0;
  long unanswered = 0;
  int inFlight = 0;
  // Eight calls wait for their answer at a time; each answer sends the next. (The program's peak
  // memory follows the large calls it holds at once, 32 of them up to 3 MB more than 8: a peak
  // reached late in a round, which the test of its memory would take for memory kept.)
  std::function<void()> send = [&] {
    if (clock.elapsed() >= milliseconds) {
      if (inFlight == 0) QCoreApplication::quit();
      return;
    }
    QString kind;
    const QDBusMessage call = fuzzer.next(&kind);
    kinds.insert(kind);
    ++sent;
    ++inFlight;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 10000), &application);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [&](QDBusPendingCallWatcher* w) {
      --inFlight;
      if (w->isError() && w->error().type() == QDBusError::NoReply) {
        ++unanswered;
      } else {
        ++answered;
      }
      w->deleteLater();
      send();
    });
  };
  for (int i = 0; i < 8; ++i) send();
  QCoreApplication::exec();
  std::printf("%ld calls of %zu kinds to %zu methods, %ld answered, %ld unanswered\n", sent,
              kinds.size(), std::size(kMethods), answered, unanswered);
  return unanswered == 0 && sent > 0 ? 0 : 1;
}
