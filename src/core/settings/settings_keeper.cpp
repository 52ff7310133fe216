#include "core/settings/settings_keeper.h"

#include "core/app/record_fields.h"
#include "core/text/cp932.h"

#include <cerrno>

namespace hanamori {
namespace {

// Copies one group's changed fields, walking its field list over the three records.
template <class Record> struct ChangeCopier {
    Record& fresh;
    const Record& edited;
    const Record& baseline;
    UserSettings& fresh_settings;
    int profile;
    template <class M> bool Copy(M Record::*m) {
        if (edited.*m == baseline.*m) {
            return false;
        }
        fresh.*m = edited.*m;
        return true;
    }
    void Line(const char*, std::string Record::*m, std::size_t) { Copy(m); }
    void Int(const char*, std::int32_t Record::*m, const char* = nullptr) { Copy(m); }
    void SideText(const char*, std::string Record::*m, const char* file, std::size_t) {
        if (Copy(m)) {
            fresh_settings.unread_side_files.erase(SideFileName(file, profile));
        }
    }
};

template <class Record>
void CopyChanges(UserSettings& fresh_settings, Record& fresh, const Record& edited,
                 const Record& baseline, int profile = 0) {
    Record::Fields(ChangeCopier<Record>{fresh, edited, baseline, fresh_settings, profile});
}

// The reason in the seller's words where the usual causes have them.
std::string ReasonText(const SettingsWrite& failure) {
    switch (failure.error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "書き込みが許可されていません。"_sj;
    case ENOSPC:
#ifdef EDQUOT // Windows has no quotas of its own error
    case EDQUOT:
#endif
    case EFBIG:
        return "ディスクの空きが足りません。"_sj;
    case EBUSY:
        return "他のプログラムが設定を保存中です。"_sj;
    default:
        return failure.reason;
    }
}

} // namespace

void ApplySettingsChanges(UserSettings& fresh, const UserSettings& edited,
                          const UserSettings& baseline) {
    CopyChanges(fresh, fresh.hanamo, edited.hanamo, baseline.hanamo);
    for (std::size_t i = 0; i < kProfileCount; ++i) {
        CopyChanges(fresh, fresh.personal[i], edited.personal[i], baseline.personal[i],
                    static_cast<int>(i));
    }
    if (edited.def_pers != baseline.def_pers) {
        fresh.def_pers = edited.def_pers;
    }
    for (std::size_t i = 0; i < kBankCount; ++i) {
        CopyChanges(fresh, fresh.bank[i], edited.bank[i], baseline.bank[i]);
    }
    for (std::size_t i = 0; i < kPostalCount; ++i) {
        CopyChanges(fresh, fresh.yuubin[i], edited.yuubin[i], baseline.yuubin[i]);
    }
    CopyChanges(fresh, fresh.etc, edited.etc, baseline.etc);
    CopyChanges(fresh, fresh.item_info, edited.item_info, baseline.item_info);
    CopyChanges(fresh, fresh.payment, edited.payment, baseline.payment);
    CopyChanges(fresh, fresh.send_method, edited.send_method, baseline.send_method);
    CopyChanges(fresh, fresh.send_opt, edited.send_opt, baseline.send_opt);
}

void SettingsKeeper::Load(UserSettings& settings, const std::string& dir) {
    m_settings = &settings;
    m_dir = dir;
    ReadSettingsFiles(settings, dir);
    m_baseline = settings;
}

bool SettingsKeeper::Unsaved() const {
    return m_settings && !(*m_settings == m_baseline);
}

SettingsWrite SettingsKeeper::Write(bool everything) {
    if (!m_settings) {
        return {};
    }
    FileLock lock = LockSettings(m_dir);
    if (lock.busy()) {
        return {false, m_dir + kMainIniName, "the settings are locked by another program", EBUSY};
    }
    UserSettings fresh;
    LoadAllSettings(fresh, m_dir);
    const UserSettings as_read = fresh;
    ApplySettingsChanges(fresh, *m_settings, m_baseline);
    SettingsWrite written = SaveAllSettings(fresh, m_dir, everything ? nullptr : &as_read);
    if (written) {
        m_baseline = fresh;
        *m_settings = std::move(fresh);
    }
    return written;
}

SettingsKeeper& KeptSettings() {
    static SettingsKeeper keeper;
    return keeper;
}

std::string SettingsWriteMessage(const SettingsWrite& failure) {
    return "設定の保存に失敗しました。"_sj + "\n" + Utf8ToCp932Lossy(failure.path) + "\n" +
           ReasonText(failure);
}

bool WriteSettingsChanges(Host& host) {
    SettingsKeeper& keeper = KeptSettings();
    if (!keeper.Unsaved()) {
        return true;
    }
    SettingsWrite written = keeper.Write();
    if (!written) {
        host.ShowMessage(SettingsWriteMessage(written), MessageIcon::Stop);
    }
    return written.ok;
}

bool WriteSettingsAtExit(Host& host) {
    SettingsKeeper& keeper = KeptSettings();
    while (keeper.Unsaved()) {
        SettingsWrite written = keeper.Write();
        if (written) {
            return true;
        }
        if (!host.AskRetryOrQuitWithoutSaving(
                SettingsWriteMessage(written) +
                    "\n\n保存せずに終了すると、この変更は失われます。"_sj,
                MessageIcon::Stop)) {
            return false;
        }
    }
    return true;
}

} // namespace hanamori
