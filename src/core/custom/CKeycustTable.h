#pragma once

#include "core/custom/CKeycust.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

class MenuKeyNames;

// The key assignments in the order they were made (a key file keeps that
// order), the key file they belong to, and the names the dialog and the
// menus give the keys. There is at most one assignment per combination of
// key and modifiers; several combinations may run the same command.
class CKeycustTable {
public:
    struct Key {
        int code = 0;
        bool alt = false;
        bool shift = false;
        bool ctrl = false;
    };
    struct KeyName {
        QString name;
        int code;
    };

    // The command of the first assignment of the combination; 0 for none.
    int Lookup(int code, bool alt, bool shift, bool ctrl) const;
    int Lookup(const Key& key) const { return Lookup(key.code, key.alt, key.shift, key.ctrl); }
    // Gives the combination the command: replaces the command of its
    // assignment, or appends one; command 0 removes the assignment. Returns
    // the command the combination had (0 for none).
    int Assign(const Key& key, int command);
    void Remove(const Key& key) { Assign(key, 0); }
    void Clear() { m_keys.clear(); }
    // The first assignment that runs the command; nullptr for none.
    const CKeycust* FirstWithCommand(int command) const;

    bool IsEmpty() const { return m_keys.empty(); }
    int Count() const { return static_cast<int>(m_keys.size()); }
    const std::vector<CKeycust>& Assignments() const { return m_keys; }
    void SetAssignments(std::vector<CKeycust> keys) { m_keys = std::move(keys); }

    // Full path of the current key file.
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& path) { m_fileName = path; }

    // Writes the table to the path (which becomes the file name first, even
    // when it cannot be written), or to the current file name when the path
    // is empty; the folder is made when missing. Complete or not at all;
    // never in place of something that is not a regular file.
    bool Save(const QString& path = QString());
    // Reads the key file at the path, which then becomes the file name. A
    // file that cannot be read or is no key file leaves the assignments and
    // the file name as they were and gives false, so that a later save does
    // not write over what the user chose by mistake.
    bool Load(const QString& path);
    // The path names a file that saving would destroy: one that is no key
    // file. (Save refuses anything but a regular file on its own.)
    static bool HoldsOtherData(const QString& path);

    // The names of the keys a combination can be made of, in the dialog's
    // order: F1..F12, "@" and A..Z, the editing keys, the keypad operators,
    // the digits and the keypad digits.
    static const std::vector<KeyName>& KeyNames();
    // How many of KeyNames() are offered without a modifier (F1..F12).
    static constexpr int kUnmodifiedKeyCount = 12;
    // The name of a key code; empty for a code without one.
    static QString NameOfKey(int code);
    // "Alt+", "Shift+", "Ctrl+" as they apply, then the key's name.
    static QString DisplayName(const Key& key);
    static QString DisplayName(const CKeycust& k);

    // Every assignment's name behind its command's menu caption (a later
    // assignment of the same command wins, as each is written in turn).
    void ShowInMenus(MenuKeyNames& names) const;

private:
    std::vector<CKeycust> m_keys;
    QString m_fileName;
};

// The key file's bytes: the count, then the assignments as serialised
// objects of the class "CKeycust" (schema 1), little-endian 16-bit words.
QByteArray KeyFileBytes(const std::vector<CKeycust>& keys);
// The assignments of a key file; nullopt when the bytes are no key file
// (short, other tags or class, a count the bytes cannot hold).
std::optional<std::vector<CKeycust>> ParseKeyFile(QByteArrayView bytes);
