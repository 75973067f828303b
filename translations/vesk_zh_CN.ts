<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DestinationMenu</name>
    <message>
        <source>Other Folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderAccess</name>
    <message>
        <source>Allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Allow to let Vesk tidy and file things in your home folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LaunchOptions</name>
    <message>
        <source>Usage: vesk [OPTIONS]

Keeps your Downloads and Desktop tidy from the system tray: for every file that
has waited long enough, Vesk suggests one of your own folders, moves what you
accept and can undo the last tidy. Nothing leaves this computer.

Options:
  --home DIR          use DIR as the home folder, with settings kept apart
  --open-review       show the review window at start
  --open-settings     open the settings once the review window shows
  --show-privacy      show the privacy notes open
  --welcome-step N    open the welcome flow at step N
  --help              show this help
  --version           show the version

A second start for the same home hands its options to the running Vesk.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LocalLLM</name>
    <message>
        <source>The local model is turned off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The local model isn&apos;t ready yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The local model isn&apos;t available</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>About Vesk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review…</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Review %n File(s)…</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Undo Last Tidy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Up Vesk…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vesk Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Vesk</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReviewRows</name>
    <message>
        <source>Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsorted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applications</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::AppModel</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::EmptyState</name>
    <message>
        <source>Recent files wait a few days.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to Tidy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::ReviewBottomBar</name>
    <message>
        <source>Scanning…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Last Tidy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tidy</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Tidy %n File(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::ReviewTable</name>
    <message>
        <source>Show in File Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::ReviewTableModel</name>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move To</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::ReviewWindow</name>
    <message numerus="yes">
        <source>%n File(s) to Tidy — Vesk</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be moved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::Shell</name>
    <message>
        <source>About Vesk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free. Works offline. Nothing leaves your computer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vesk::Tray</name>
    <message numerus="yes">
        <source>Vesk: %n file(s) to tidy</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
</TS>
