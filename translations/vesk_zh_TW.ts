<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>FolderAccess</name>
    <message>
        <source>Allow</source>
        <translation>允許</translation>
    </message>
    <message>
        <source>Click Allow to let Vesk tidy and file things in your home folder.</source>
        <translation>按一下「允許」，讓 Vesk 整理你的個人資料夾並將檔案歸檔到其中。</translation>
    </message>
    <message>
        <source>Allow Access to Your Home Folder</source>
        <translation>允許存取你的個人資料夾</translation>
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
        <translation>用法：vesk [選項]

在系統匣中讓「下載」和桌面保持整齊：對每個已等待夠久的檔案，
Vesk 會在你自己的資料夾中為它建議一個位置，移動你接受的檔案，
並可復原上次整理。任何內容都不會離開這台電腦。

選項：
  --home 目錄         將該目錄作為個人資料夾，設定另外儲存
  --open-review       啟動時顯示檢視視窗
  --open-settings     檢視視窗顯示後開啟設定
  --show-privacy      啟動時展開隱私說明
  --welcome-step N    從第 N 步開啟歡迎精靈
  --help              顯示此說明
  --version           顯示版本

為同一個人資料夾再次啟動時，選項會交給正在執行的 Vesk。
</translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>About Vesk</source>
        <translation>關於 Vesk</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>檢查更新…</translation>
    </message>
    <message>
        <source>Review…</source>
        <translation>檢視…</translation>
    </message>
    <message numerus="yes">
        <source>Review %n File(s)…</source>
        <translation>
            <numerusform>檢視 %n 個檔案…</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo Last Tidy</source>
        <translation>復原上次整理</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>正在掃描…</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>重新掃描</translation>
    </message>
    <message>
        <source>Set Up Vesk…</source>
        <translation>設定 Vesk…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Vesk Help</source>
        <translation>Vesk 說明</translation>
    </message>
    <message>
        <source>Quit Vesk</source>
        <translation>結束 Vesk</translation>
    </message>
</context>
<context>
    <name>ModelServiceNote</name>
    <message>
        <source>The key works until Vesk quits, but the desktop&apos;s secret service could not keep it (%1). Set VESK_MODEL_KEY instead, or start a secret service such as GNOME Keyring or KWallet.</source>
        <translation>在 Vesk 結束之前這個金鑰都有效，但桌面的密鑰服務無法保存它（%1）。請改為設定 VESK_MODEL_KEY，或啟動一個密鑰服務，例如 GNOME Keyring 或 KWallet。</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1。</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1：%2。</translation>
    </message>
    <message>
        <source>VESK_MODEL_URL is set to “off”: unset it to use the address above.</source>
        <translation>VESK_MODEL_URL 被設為「off」：取消設定即可使用上面的位址。</translation>
    </message>
    <message>
        <source>Enter the address of a model service on this computer instead of “off”.</source>
        <translation>請輸入這台電腦上某個模型服務的位址，而不是「off」。</translation>
    </message>
    <message>
        <source>Enter the key the service was started with.</source>
        <translation>請輸入該服務啟動時使用的金鑰。</translation>
    </message>
    <message>
        <source>Enter the key the service at %1 was started with.</source>
        <translation>請輸入 %1 上的服務啟動時使用的金鑰。</translation>
    </message>
    <message>
        <source>The service at %1 has no model to chat with yet: load or download one, then choose Check Again.</source>
        <translation>%1 上的服務還沒有可以對話的模型：請載入或下載一個，然後選擇「再次檢查」。</translation>
    </message>
    <message>
        <source>Vesk only talks to a model service on this computer, and %1 is not one.</source>
        <translation>Vesk 只與這台電腦上的模型服務通訊，而 %1 不是。</translation>
    </message>
    <message>
        <source>Vesk looked for a model service at %1. Start one with a model on this computer, for example with “ollama serve”, then choose Check Again.</source>
        <translation>Vesk 在 %1 尋找模型服務。請在這台電腦上啟動一個附有模型的服務，例如執行「ollama serve」，然後選擇「再次檢查」。</translation>
    </message>
    <message>
        <source>Vesk could not ask the desktop&apos;s secret service for a kept key (%1). Enter the key the service was started with.</source>
        <translation>Vesk 無法向桌面的密鑰服務索取保存的金鑰（%1）。請輸入該服務啟動時使用的金鑰。</translation>
    </message>
</context>
<context>
    <name>PrivacyNote</name>
    <message>
        <source>Private by Design</source>
        <translation>從設計上保護隱私</translation>
    </message>
    <message>
        <source>Nothing leaves your computer. Vesk never connects to the internet.</source>
        <translation>任何內容都不會離開你的電腦。Vesk 從不連線到網際網路。</translation>
    </message>
    <message>
        <source>Vesk uses a language model running on this computer. It works offline.</source>
        <translation>Vesk 使用在這台電腦上執行的語言模型，離線即可運作。</translation>
    </message>
    <message>
        <source>Files are read on this computer only, and only when their names aren&apos;t enough.</source>
        <translation>檔案只在這台電腦上讀取，而且只在檔名不足以判斷時才讀取。</translation>
    </message>
    <message>
        <source>Nothing is uploaded or stored.</source>
        <translation>不會上傳或儲存任何內容。</translation>
    </message>
    <message>
        <source>Privacy of the Local Model</source>
        <translation>本機模型的隱私</translation>
    </message>
    <message>
        <source>Privacy of File Contents</source>
        <translation>檔案內容的隱私</translation>
    </message>
    <message>
        <source>The model only sees names: of the files to tidy, and of the Folders to File Into and some files in them.</source>
        <translation>模型只會看到名稱：要整理的檔案名稱，以及可歸入的資料夾名稱和其中部分檔案名稱。</translation>
    </message>
</context>
<context>
    <name>ReasonText</name>
    <message>
        <source>Still downloading</source>
        <translation>正在下載</translation>
    </message>
    <message>
        <source>A folder, left as it is</source>
        <translation>資料夾，預設保持原樣</translation>
    </message>
    <message>
        <source>Too new (%1 days), left for now</source>
        <translation>太新（%1 天），暫不處理</translation>
    </message>
    <message>
        <source>Screen recording</source>
        <translation>螢幕錄影</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>截圖</translation>
    </message>
    <message>
        <source>Already unpacked (a folder of the same name is beside it)</source>
        <translation>已解壓縮（旁邊有同名資料夾）</translation>
    </message>
    <message>
        <source>Installer of an app that is installed</source>
        <translation>安裝檔，應用程式已安裝</translation>
    </message>
    <message>
        <source>Old installer (%1 days)</source>
        <translation>舊安裝檔（%1 天）</translation>
    </message>
    <message>
        <source>An app left in a downloads folder</source>
        <translation>應用程式放在下載資料夾</translation>
    </message>
    <message>
        <source>One-off file (.%1)</source>
        <translation>一次性檔案（.%1）</translation>
    </message>
    <message>
        <source>Duplicate download (same name and size: %1)</source>
        <translation>重複下載（同名同大小：%1）</translation>
    </message>
    <message>
        <source>Like “%1” · %2</source>
        <translation>像「%1」 · %2</translation>
    </message>
    <message>
        <source>The folder&apos;s name matches · %1</source>
        <translation>資料夾名稱相符 · %1</translation>
    </message>
    <message>
        <source>Close to the words of the whole folder · %1</source>
        <translation>和整個資料夾的用詞相近 · %1</translation>
    </message>
    <message>
        <source>Close in meaning %1 · %2</source>
        <translation>語意相近 %1 · %2</translation>
    </message>
    <message>
        <source>May belong to the code project “%1”: your decision</source>
        <translation>可能屬於程式碼專案「%1」，請你決定</translation>
    </message>
    <message>
        <source>The usual folder for this type of file</source>
        <translation>依類型的預設位置</translation>
    </message>
    <message>
        <source>The file name says nothing usable</source>
        <translation>檔名沒有可用資訊</translation>
    </message>
    <message>
        <source>No folder is similar enough</source>
        <translation>沒有足夠相似的資料夾</translation>
    </message>
    <message>
        <source>No folder is similar enough (closest: %1)</source>
        <translation>沒有足夠相似的資料夾（最接近：%1）</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Vetoed on review (was %1, %2): %3: %4</source>
        <translation>品質檢查否決（原建議 %1，%2）：%3：%4</translation>
    </message>
    <message>
        <source>Already in its destination folder</source>
        <translation>已在目標資料夾中</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>略過</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>① Rules</source>
        <translation>① 規則</translation>
    </message>
    <message>
        <source>② Similarity</source>
        <translation>② 相似度</translation>
    </message>
    <message>
        <source>② Type Default</source>
        <translation>② 類型預設</translation>
    </message>
    <message>
        <source>③ Local Model</source>
        <translation>③ 本機 LLM</translation>
    </message>
    <message>
        <source>④ Content (Local)</source>
        <translation>④ 內容(本機)</translation>
    </message>
    <message>
        <source>The file is no longer where it was</source>
        <translation>檔案已不在原處</translation>
    </message>
    <message>
        <source>The moved file can&apos;t be found</source>
        <translation>找不到已移動的檔案</translation>
    </message>
    <message>
        <source>This is no longer the file that was moved</source>
        <translation>已不是整理時移動的那個檔案</translation>
    </message>
    <message>
        <source>The local model is turned off</source>
        <translation>本機模型已關閉</translation>
    </message>
    <message>
        <source>The local model isn&apos;t ready yet</source>
        <translation>本機模型尚未就緒</translation>
    </message>
    <message>
        <source>The local model isn&apos;t available</source>
        <translation>本機模型無法使用</translation>
    </message>
    <message>
        <source>The file name says nothing usable (closest: %1)</source>
        <translation>檔名沒有可用資訊（最接近：%1）</translation>
    </message>
    <message>
        <source>The folder&apos;s name matches</source>
        <translation>資料夾名稱相符</translation>
    </message>
    <message>
        <source>Close to the words of the whole folder</source>
        <translation>和整個資料夾的用詞相近</translation>
    </message>
    <message>
        <source>Like “%1” here</source>
        <translation>像這裡的 “%1”</translation>
    </message>
    <message numerus="yes">
        <source>Like “%1” here and %n more file(s)</source>
        <translation>
            <numerusform>像這裡的 “%1” 和另外 %n 個檔案</numerusform>
        </translation>
    </message>
    <message>
        <source>Similarity points to “%1”, but the name is more like the files in “%2”: your decision</source>
        <translation>相似度指向「%1」，但名稱更像「%2」裡的檔案，請你決定</translation>
    </message>
    <message>
        <source>② Name Index</source>
        <translation>② 名稱索引</translation>
    </message>
    <message>
        <source>The local model service needs a key</source>
        <translation>本機模型服務需要金鑰</translation>
    </message>
    <message>
        <source>The local model service doesn&apos;t accept the key</source>
        <translation>本機模型服務不接受該金鑰</translation>
    </message>
    <message>
        <source>The destination folder was replaced after review; the file stays where it was</source>
        <translation>審閱後目標資料夾已被替換，檔案留在原處</translation>
    </message>
    <message>
        <source>The folder was replaced after the tidy; the file stays where it is</source>
        <translation>整理後資料夾已被替換，檔案留在原處</translation>
    </message>
    <message>
        <source>The file is still being written; it waits for the next tidy</source>
        <translation>檔案仍在寫入，留到下次整理</translation>
    </message>
    <message>
        <source>Moved before the interruption; now in the history</source>
        <translation>中斷前已移動，已記入歷史</translation>
    </message>
    <message>
        <source>Put back before the interruption; removed from the history</source>
        <translation>中斷前已放回原處，已從歷史中移除</translation>
    </message>
    <message>
        <source>Not moved before the interruption; still where it was</source>
        <translation>中斷前未移動，仍在原處</translation>
    </message>
    <message>
        <source>Removed a spare copy the interruption left; the original is still where it was</source>
        <translation>已刪除中斷時留下的多餘副本，原檔案仍在原處</translation>
    </message>
    <message>
        <source>Removed an unfinished copy the interruption left</source>
        <translation>已刪除中斷時未完成的副本</translation>
    </message>
    <message>
        <source>After the interruption, found neither where it was nor where it went</source>
        <translation>中斷後在原處和目標處都找不到</translation>
    </message>
    <message>
        <source>The move before the interruption can&apos;t be confirmed; the file at the destination is left alone</source>
        <translation>中斷前的移動無法確認，目標處的檔案保持不動</translation>
    </message>
</context>
<context>
    <name>ReviewRows</name>
    <message>
        <source>Trash</source>
        <translation>垃圾桶</translation>
    </message>
    <message>
        <source>Unsorted</source>
        <translation>未分類</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>應用程式</translation>
    </message>
    <message>
        <source>Ignored</source>
        <translation>不整理的檔案</translation>
    </message>
</context>
<context>
    <name>StoreNotice</name>
    <message>
        <source>Vesk couldn&apos;t read its settings in %1, so it started with the defaults. The old settings were kept as %2.</source>
        <translation>Vesk 無法讀取 %1 中的設定，已使用預設設定啟動。原本的設定已保存為 %2。</translation>
    </message>
    <message>
        <source>Vesk can&apos;t start: its settings in %1 can&apos;t be read or moved aside (%2).</source>
        <translation>Vesk 無法啟動：%1 中的設定既無法讀取，也無法移到一旁（%2）。</translation>
    </message>
</context>
<context>
    <name>WaitChoices</name>
    <message>
        <source>Right Away</source>
        <translation>立即</translation>
    </message>
    <message>
        <source>1 Day</source>
        <translation>1 天</translation>
    </message>
    <message>
        <source>3 Days</source>
        <translation>3 天</translation>
    </message>
    <message>
        <source>1 Week</source>
        <translation>1 週</translation>
    </message>
    <message>
        <source>%1 Days</source>
        <translation>%1 天</translation>
    </message>
</context>
<context>
    <name>WelcomeSteps</name>
    <message>
        <source>Welcome to Vesk</source>
        <translation>歡迎使用 Vesk</translation>
    </message>
    <message>
        <source>Vesk keeps the folders you choose tidy. Everything happens on your computer.</source>
        <translation>Vesk 讓你選擇的資料夾保持整齊。一切都在你的電腦上進行。</translation>
    </message>
    <message>
        <source>Folders to Tidy</source>
        <translation>要整理的資料夾</translation>
    </message>
    <message>
        <source>Choose Folders</source>
        <translation>選擇資料夾</translation>
    </message>
    <message>
        <source>Vesk only looks at the folders you choose.</source>
        <translation>Vesk 只查看你選擇的資料夾。</translation>
    </message>
    <message>
        <source>Access Allowed</source>
        <translation>已允許存取</translation>
    </message>
    <message>
        <source>Your system asks you to confirm which folders Vesk may use. Choose your home folder so Vesk can tidy the folders you picked and file things into your folders.</source>
        <translation>系統要求你確認 Vesk 可以使用哪些資料夾。請選擇你的個人資料夾，這樣 Vesk 才能整理你選擇的資料夾，並將檔案歸檔到你的資料夾中。</translation>
    </message>
    <message>
        <source>Vesk Is in the System Tray</source>
        <translation>Vesk 在系統匣中</translation>
    </message>
    <message>
        <source>Click the drawer in the system tray to review and tidy your files.</source>
        <translation>按一下系統匣中的抽屜圖示，檢視並整理你的檔案。</translation>
    </message>
    <message>
        <source>&amp;Add Folder…</source>
        <translation>加入資料夾(&amp;A)…</translation>
    </message>
    <message>
        <source>Allow &amp;Access…</source>
        <translation>允許存取(&amp;A)…</translation>
    </message>
    <message>
        <source>Sort with a &amp;Local Model</source>
        <translation>用本機模型整理(&amp;L)</translation>
    </message>
</context>
<context>
    <name>vesk::AppModel</name>
    <message>
        <source>Add</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Move Here</source>
        <translation>移到這裡</translation>
    </message>
    <message>
        <source>Add Folders to Tidy</source>
        <translation>加入要整理的資料夾</translation>
    </message>
    <message>
        <source>Move to Another Folder</source>
        <translation>移到其他資料夾</translation>
    </message>
</context>
<context>
    <name>vesk::DestinationChoices</name>
    <message>
        <source>Suggested</source>
        <translation>建議</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>最近使用</translation>
    </message>
    <message>
        <source>Other Folder…</source>
        <translation>其他資料夾…</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>移到垃圾桶</translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation>不整理</translation>
    </message>
    <message>
        <source>Current destination</source>
        <translation>目前的目的地</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>分數 %1</translation>
    </message>
</context>
<context>
    <name>vesk::DestinationChooser</name>
    <message>
        <source>Move To</source>
        <translation>移到</translation>
    </message>
    <message>
        <source>Find a folder</source>
        <translation>尋找資料夾</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>目的地</translation>
    </message>
</context>
<context>
    <name>vesk::EmptyState</name>
    <message>
        <source>Recent files wait a few days.</source>
        <translation>新檔案會先等幾天。</translation>
    </message>
    <message>
        <source>Nothing to Tidy</source>
        <translation>沒有需要整理的檔案</translation>
    </message>
</context>
<context>
    <name>vesk::FolderList</name>
    <message>
        <source>Folder</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
</context>
<context>
    <name>vesk::FolderSettings</name>
    <message>
        <source>Folders to Tidy</source>
        <translation>要整理的資料夾</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>加入資料夾…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Allow Access…</source>
        <translation>允許存取…</translation>
    </message>
    <message>
        <source>Vesk can use your home folder.</source>
        <translation>Vesk 可以使用你的個人資料夾。</translation>
    </message>
    <message>
        <source>Vesk can use only the folders you added.</source>
        <translation>Vesk 只能使用你加入的資料夾。</translation>
    </message>
    <message>
        <source>Vesk needs at least one folder to tidy.</source>
        <translation>Vesk 至少需要一個要整理的資料夾。</translation>
    </message>
    <message>
        <source>Folders to &amp;Tidy</source>
        <translation>要整理的資料夾(&amp;T)</translation>
    </message>
    <message>
        <source>Vesk offers the files that wait in these folders.</source>
        <translation>Vesk 會整理在這些資料夾中等待的檔案。</translation>
    </message>
</context>
<context>
    <name>vesk::GeneralSettings</name>
    <message>
        <source>Open at Login</source>
        <translation>登入時開啟</translation>
    </message>
    <message>
        <source>Sort with a Local Model</source>
        <translation>用本機模型整理</translation>
    </message>
    <message>
        <source>Read File Contents</source>
        <translation>讀取檔案內容</translation>
    </message>
    <message>
        <source>Wait Before Tidying</source>
        <translation>整理前等待</translation>
    </message>
    <message>
        <source>Checking for a local model…</source>
        <translation>正在檢查本機模型…</translation>
    </message>
    <message>
        <source>&amp;Open at Login</source>
        <translation>登入時開啟(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Wait Before Tidying</source>
        <translation>整理前等待(&amp;W)</translation>
    </message>
    <message>
        <source>Sort with a &amp;Local Model</source>
        <translation>用本機模型整理(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Read File Contents</source>
        <translation>讀取檔案內容(&amp;R)</translation>
    </message>
    <message>
        <source>Notify When Files Wait</source>
        <translation>有檔案待整理時通知</translation>
    </message>
    <message>
        <source>&amp;Notify When Files Wait</source>
        <translation>有檔案待整理時通知(&amp;N)</translation>
    </message>
    <message>
        <source>Login and Notifications</source>
        <translation>登入與通知</translation>
    </message>
    <message>
        <source>Tidying</source>
        <translation>整理</translation>
    </message>
</context>
<context>
    <name>vesk::ModelServiceSettings</name>
    <message>
        <source>Set by %1 in the environment</source>
        <translation>由環境變數 %1 設定</translation>
    </message>
    <message>
        <source>&amp;Check Again</source>
        <translation>再次檢查(&amp;C)</translation>
    </message>
    <message>
        <source>The first one that can chat</source>
        <translation>第一個可以對話的模型</translation>
    </message>
    <message>
        <source>None</source>
        <translation>無</translation>
    </message>
    <message>
        <source>&amp;Address</source>
        <translation>位址(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Model</source>
        <translation>模型(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Key</source>
        <translation>金鑰(&amp;K)</translation>
    </message>
    <message>
        <source>How to start a local model</source>
        <translation>如何啟動本機模型</translation>
    </message>
</context>
<context>
    <name>vesk::Notices</name>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>另有 %n 個</numerusform>
        </translation>
    </message>
    <message>
        <source>Review</source>
        <translation>檢視</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) are ready to tidy</source>
        <translation>
            <numerusform>%n 個檔案可以整理了</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n file(s)</source>
        <translation>
            <numerusform>已移動 %n 個檔案</numerusform>
        </translation>
    </message>
    <message>
        <source>This tidy can&apos;t be undone: its history could not be written.</source>
        <translation>這次整理無法復原：整理紀錄未能寫入。</translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be moved.</source>
        <translation>有些檔案無法移動。</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>復原</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) came back under a new name, as the old one was taken.</source>
        <translation>
            <numerusform>%n 個檔案以新名稱放回，因為原名稱已被占用。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s)</source>
        <translation>
            <numerusform>已放回 %n 個檔案</numerusform>
        </translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be put back.</source>
        <translation>有些檔案無法放回。</translation>
    </message>
</context>
<context>
    <name>vesk::ReviewBottomBar</name>
    <message>
        <source>Scanning…</source>
        <translation>正在掃描…</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>選單</translation>
    </message>
    <message>
        <source>&amp;Undo Last Tidy</source>
        <translation>復原上次整理(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Tidy</source>
        <translation>整理(&amp;T)</translation>
    </message>
    <message numerus="yes">
        <source>&amp;Tidy %n File(s)</source>
        <translation>
            <numerusform>整理 %n 個檔案(&amp;T)</numerusform>
        </translation>
    </message>
    <message>
        <source>Putting back %1 of %2…</source>
        <translation>正在放回第 %1 個，共 %2 個…</translation>
    </message>
    <message>
        <source>Moving %1 of %2…</source>
        <translation>正在移動第 %1 個，共 %2 個…</translation>
    </message>
    <message numerus="yes">
        <source>Moved %n file(s)</source>
        <translation>
            <numerusform>已移動 %n 個檔案</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>復原</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) are back</source>
        <translation>
            <numerusform>%n 個檔案已放回原處</numerusform>
        </translation>
    </message>
    <message>
        <source>Asking the local model… %1 of %2</source>
        <translation>正在詢問本機模型… 第 %1 個，共 %2 個</translation>
    </message>
</context>
<context>
    <name>vesk::ReviewTable</name>
    <message>
        <source>Show in File Manager</source>
        <translation>在檔案管理員中顯示</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>移到垃圾桶</translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation>不整理</translation>
    </message>
    <message>
        <source>Files to Tidy</source>
        <translation>待整理的檔案</translation>
    </message>
    <message>
        <source>Move To…</source>
        <translation>移到…</translation>
    </message>
    <message>
        <source>Tidy Again</source>
        <translation>重新整理</translation>
    </message>
</context>
<context>
    <name>vesk::ReviewTableModel</name>
    <message>
        <source>Choose…</source>
        <translation>選擇…</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>Move To</source>
        <translation>移到</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation>不整理</translation>
    </message>
</context>
<context>
    <name>vesk::ReviewWindow</name>
    <message numerus="yes">
        <source>%n File(s) to Tidy — Vesk</source>
        <translation>
            <numerusform>%n 個檔案待整理 — Vesk</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be moved.</source>
        <translation>有些檔案無法移動。</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>篩選(&amp;F)：</translation>
    </message>
    <message>
        <source>Name, folder or reason</source>
        <translation>名稱、資料夾或原因</translation>
    </message>
</context>
<context>
    <name>vesk::SettingsWindow</name>
    <message>
        <source>Settings — Vesk</source>
        <translation>設定 — Vesk</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>資料夾</translation>
    </message>
</context>
<context>
    <name>vesk::Shell</name>
    <message>
        <source>About Vesk</source>
        <translation>關於 Vesk</translation>
    </message>
    <message>
        <source>Free. Works offline. Nothing leaves your computer.</source>
        <translation>免費。離線運作。任何內容都不會離開你的電腦。</translation>
    </message>
</context>
<context>
    <name>vesk::SourceWatcher</name>
    <message>
        <source>Missing. Vesk watches for it to come back.</source>
        <translation>資料夾不存在。它重新出現時 Vesk 會繼續監視。</translation>
    </message>
    <message>
        <source>Not a folder.</source>
        <translation>不是資料夾。</translation>
    </message>
    <message>
        <source>Vesk isn&apos;t allowed to read it.</source>
        <translation>Vesk 無權讀取它。</translation>
    </message>
    <message>
        <source>The system&apos;s limit of watched folders is reached. Vesk looks at it every minute instead.</source>
        <translation>已達到系統可監視資料夾的上限。Vesk 改為每分鐘查看一次。</translation>
    </message>
    <message>
        <source>The system can&apos;t watch it. Vesk looks at it every minute instead.</source>
        <translation>系統無法監視它。Vesk 改為每分鐘查看一次。</translation>
    </message>
</context>
<context>
    <name>vesk::TargetRootSettings</name>
    <message>
        <source>Folders to File Into</source>
        <translation>可歸入的資料夾</translation>
    </message>
    <message>
        <source>Vesk suggests destinations among these folders and the folders inside them.</source>
        <translation>Vesk 會在這些資料夾及其子資料夾中為檔案建議去處。</translation>
    </message>
    <message>
        <source>Add Folder to File Into…</source>
        <translation>加入可歸入的資料夾…</translation>
    </message>
    <message>
        <source>Folders to &amp;File Into</source>
        <translation>可歸入的資料夾(&amp;F)</translation>
    </message>
</context>
<context>
    <name>vesk::Tray</name>
    <message numerus="yes">
        <source>Vesk: %n file(s) to tidy</source>
        <translation>
            <numerusform>Vesk：%n 個檔案待整理</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::WelcomeFlow</name>
    <message>
        <source>&amp;Start</source>
        <translation>開始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>繼續(&amp;C)</translation>
    </message>
</context>
<context>
    <name>vesk::WelcomeWindow</name>
    <message>
        <source>&amp;Back</source>
        <translation>返回(&amp;B)</translation>
    </message>
</context>
</TS>
