#include "maintenance/MaintenanceTools.h"

#include "services/ContentSchema.h"

namespace maintenance {

using services::ContentStore;
using services::TableCursor;

namespace {

int length(const QString &s) {
    return static_cast<int>(s.toUcs4().size());
}

// Runs body inside one transaction; any refusal rolls every change of the tool back.
ToolResult transaction(ContentStore &store, int slot, const std::function<bool(TableCursor &, int &)> &body) {
    ToolResult r;
    TableCursor *c = store.Data(slot);
    if (!c) {
        r.ok = false;
        r.error = store.problemFor(slot);
        return r;
    }
    // A refused begin() means another change is under way: leave it alone, roll nothing back.
    if (!store.backupOnce() || !store.begin()) {
        r.ok = false;
        r.error = store.lastError();
        return r;
    }
    r.backup = store.lastBackup();
    if (!body(*c, r.changed) || !store.commit()) {
        r.ok = false;
        r.error = store.lastError();
        r.changed = 0;
        store.rollback();
    }
    return r;
}

} // namespace

ToolResult removeDuplicateCharacters(ContentStore &store, const Progress &progress) {
    return transaction(store, services::kSingleCharacters, [&](TableCursor &c, int &changed) {
        // The count is read afresh on every pass, so deletions never send a pass past the end.
        for (int i = 0;; ++i) {
            c.MoveLast();
            if (i >= c.RecordCount() - 1) break;
            if (progress) progress(i + 1);
            c.MoveFirst();
            c.Move(i);
            const QString a = c.field(0).trimmed();
            c.MoveFirst();
            c.Move(i + 1);
            while (!c.Eof()) {
                if (c.field(0).trimmed() == a) {
                    if (!c.Delete()) return false;
                    ++changed;
                }
                c.MoveNext();
            }
        }
        c.MoveFirst();
        return true;
    });
}

ToolResult removeLongAntonyms(ContentStore &store) {
    return transaction(store, services::kAntonyms, [](TableCursor &c, int &changed) {
        c.MoveFirst();
        while (!c.Eof()) {
            if (length(c.field(0).trimmed()) > 4) {
                if (!c.Delete()) return false;
                ++changed;
            }
            c.MoveNext();
        }
        c.MoveFirst();
        return true;
    });
}

ToolResult dropFirstSynonymCharacter(ContentStore &store) {
    return transaction(store, services::kSynonyms, [](TableCursor &c, int &changed) {
        for (c.MoveFirst(); !c.Eof(); c.MoveNext()) {
            const QString s = c.field(1).trimmed();
            if (s.isEmpty()) continue; // nothing left to drop
            const QList<uint> chars = s.toUcs4();
            const QString rest = QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData() + 1),
                                                   chars.size() - 1);
            if (!c.Edit() || !c.setField(1, rest) || !c.Update()) return false;
            ++changed;
        }
        c.MoveFirst();
        return true;
    });
}

int countFirstBook(ContentStore &store) {
    TableCursor *c = store.Data(1);
    if (!c) return 0;
    c->MoveFirst();
    c->MoveLast();
    return c->RecordCount();
}

ShuffleStep ShuffleBatch::step(core::Random &rnd) {
    ShuffleStep step;
    rnd.randomize();
    TableCursor *c = store_.Data(1);
    if (!c) {
        step.result.ok = false;
        step.result.error = store_.problemFor(1);
        return step;
    }
    c->MoveLast();
    const int n = c->RecordCount();
    do {
        step.a = rnd.countFrom(980, 200);
        step.b = rnd.countFrom(980, 200);
    } while (step.a == step.b);

    if (step.a < n && step.b < n) {
        // A refused begin() means another change is under way: leave it alone.
        if (!open_ && (!store_.backupOnce() || !store_.begin())) {
            step.result.ok = false;
            step.result.error = store_.lastError();
            return step;
        }
        open_ = true;
        step.result.backup = store_.lastBackup();
        const auto put = [&](int at, const QString &value) {
            c->MoveFirst();
            c->Move(at);
            return c->Edit() && c->setField(0, value) && c->Update();
        };
        c->MoveFirst();
        c->Move(step.a);
        const QString x = c->field(0);
        c->MoveFirst();
        c->Move(step.b);
        const QString y = c->field(0);
        if (!put(step.a, y) || !put(step.b, x)) {
            step.result.ok = false;
            step.result.error = store_.lastError();
            open_ = false;
            store_.rollback();
        } else {
            step.result.changed = 2;
        }
    }
    c->MoveFirst();
    c->Move(250);
    const QString at250 = c->field(0);
    c->MoveFirst();
    c->Move(252);
    step.shown = at250 + QStringLiteral("     ") + c->field(0);
    return step;
}

ToolResult ShuffleBatch::commit() {
    ToolResult r;
    if (!open_) return r;
    open_ = false;
    if (!store_.commit()) {
        r.ok = false;
        r.error = store_.lastError();
        store_.rollback();
    }
    return r;
}

ShuffleStep shuffleFirstBook(ContentStore &store, core::Random &rnd) {
    ShuffleBatch batch(store);
    ShuffleStep step = batch.step(rnd);
    if (step.result.ok) {
        const ToolResult landed = batch.commit();
        if (!landed.ok) step.result = landed;
    }
    return step;
}

} // namespace maintenance
