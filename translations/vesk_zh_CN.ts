<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>FolderAccess</name>
    <message>
        <source>Allow</source>
        <translation>允许</translation>
    </message>
    <message>
        <source>Click Allow to let Vesk tidy and file things in your home folder.</source>
        <translation>点击“允许”，让 Vesk 整理你的主文件夹并把文件归档到其中。</translation>
    </message>
    <message>
        <source>Allow Access to Your Home Folder</source>
        <translation>允许访问你的主文件夹</translation>
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
        <translation>用法：vesk [选项]

在系统托盘中让“下载”和桌面保持整洁：对每个已等待足够久的文件，
Vesk 会在你自己的文件夹中为它推荐一个位置，移动你接受的文件，
并可撤销上次整理。任何内容都不会离开这台电脑。

选项：
  --home 目录         将该目录用作主文件夹，设置单独保存
  --open-review       启动时显示查看窗口
  --open-settings     查看窗口显示后打开设置
  --show-privacy      启动时展开隐私说明
  --welcome-step N    从第 N 步打开欢迎向导
  --help              显示此帮助
  --version           显示版本

为同一主文件夹再次启动时，选项会交给正在运行的 Vesk。
</translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>About Vesk</source>
        <translation>关于 Vesk</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>检查更新…</translation>
    </message>
    <message>
        <source>Review…</source>
        <translation>查看…</translation>
    </message>
    <message numerus="yes">
        <source>Review %n File(s)…</source>
        <translation>
            <numerusform>查看 %n 个文件…</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo Last Tidy</source>
        <translation>撤销上次整理</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>正在扫描…</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>重新扫描</translation>
    </message>
    <message>
        <source>Set Up Vesk…</source>
        <translation>设置 Vesk…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>设置…</translation>
    </message>
    <message>
        <source>Vesk Help</source>
        <translation>Vesk 帮助</translation>
    </message>
    <message>
        <source>Quit Vesk</source>
        <translation>退出 Vesk</translation>
    </message>
</context>
<context>
    <name>ModelServiceNote</name>
    <message>
        <source>The key works until Vesk quits, but the desktop&apos;s secret service could not keep it (%1). Set VESK_MODEL_KEY instead, or start a secret service such as GNOME Keyring or KWallet.</source>
        <translation>在 Vesk 退出之前这个密钥都有效，但桌面的密钥服务无法保存它（%1）。请改为设置 VESK_MODEL_KEY，或启动一个密钥服务，例如 GNOME Keyring 或 KWallet。</translation>
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
        <translation>VESK_MODEL_URL 被设为“off”：取消设置即可使用上面的地址。</translation>
    </message>
    <message>
        <source>Enter the address of a model service on this computer instead of “off”.</source>
        <translation>请输入这台电脑上某个模型服务的地址，而不是“off”。</translation>
    </message>
    <message>
        <source>Enter the key the service was started with.</source>
        <translation>请输入该服务启动时使用的密钥。</translation>
    </message>
    <message>
        <source>Enter the key the service at %1 was started with.</source>
        <translation>请输入 %1 上的服务启动时使用的密钥。</translation>
    </message>
    <message>
        <source>The service at %1 has no model to chat with yet: load or download one, then choose Check Again.</source>
        <translation>%1 上的服务还没有可以对话的模型：请加载或下载一个，然后选择“再次检查”。</translation>
    </message>
    <message>
        <source>Vesk only talks to a model service on this computer, and %1 is not one.</source>
        <translation>Vesk 只与这台电脑上的模型服务通信，而 %1 不是。</translation>
    </message>
    <message>
        <source>Vesk looked for a model service at %1. Start one with a model on this computer, for example with “ollama serve”, then choose Check Again.</source>
        <translation>Vesk 在 %1 寻找模型服务。请在这台电脑上启动一个带模型的服务，例如运行“ollama serve”，然后选择“再次检查”。</translation>
    </message>
    <message>
        <source>Vesk could not ask the desktop&apos;s secret service for a kept key (%1). Enter the key the service was started with.</source>
        <translation>Vesk 无法向桌面的密钥服务索取保存的密钥（%1）。请输入该服务启动时使用的密钥。</translation>
    </message>
</context>
<context>
    <name>PrivacyNote</name>
    <message>
        <source>Private by Design</source>
        <translation>从设计上保护隐私</translation>
    </message>
    <message>
        <source>Nothing leaves your computer. Vesk never connects to the internet.</source>
        <translation>任何内容都不会离开你的电脑。Vesk 从不连接互联网。</translation>
    </message>
    <message>
        <source>Vesk uses a language model running on this computer. It works offline.</source>
        <translation>Vesk 使用在这台电脑上运行的语言模型，离线即可工作。</translation>
    </message>
    <message>
        <source>Files are read on this computer only, and only when their names aren&apos;t enough.</source>
        <translation>文件只在这台电脑上读取，而且只在文件名不足以判断时才读取。</translation>
    </message>
    <message>
        <source>Nothing is uploaded or stored.</source>
        <translation>不会上传或保存任何内容。</translation>
    </message>
    <message>
        <source>Privacy of the Local Model</source>
        <translation>本地模型的隐私</translation>
    </message>
    <message>
        <source>Privacy of File Contents</source>
        <translation>文件内容的隐私</translation>
    </message>
    <message>
        <source>The model only sees names: of the files to tidy, and of the Folders to File Into and some files in them.</source>
        <translation>模型只能看到名称：要整理的文件名，以及可归入的文件夹名和其中部分文件名。</translation>
    </message>
</context>
<context>
    <name>ReasonText</name>
    <message>
        <source>Still downloading</source>
        <translation>正在下载</translation>
    </message>
    <message>
        <source>A folder, left as it is</source>
        <translation>文件夹，默认保持原样</translation>
    </message>
    <message>
        <source>Too new (%1 days), left for now</source>
        <translation>太新（%1 天），暂不处理</translation>
    </message>
    <message>
        <source>Screen recording</source>
        <translation>录屏</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>截图</translation>
    </message>
    <message>
        <source>Already unpacked (a folder of the same name is beside it)</source>
        <translation>已解压（旁边有同名文件夹）</translation>
    </message>
    <message>
        <source>Installer of an app that is installed</source>
        <translation>安装包，应用已安装</translation>
    </message>
    <message>
        <source>Old installer (%1 days)</source>
        <translation>旧安装包（%1 天）</translation>
    </message>
    <message>
        <source>An app left in a downloads folder</source>
        <translation>应用程序放在下载文件夹</translation>
    </message>
    <message>
        <source>One-off file (.%1)</source>
        <translation>一次性文件（.%1）</translation>
    </message>
    <message>
        <source>Duplicate download (same name and size: %1)</source>
        <translation>重复下载（同名同大小：%1）</translation>
    </message>
    <message>
        <source>Like “%1” · %2</source>
        <translation>像 “%1” · %2</translation>
    </message>
    <message>
        <source>The folder&apos;s name matches · %1</source>
        <translation>文件夹名称相符 · %1</translation>
    </message>
    <message>
        <source>Close to the words of the whole folder · %1</source>
        <translation>和整个文件夹的用词相近 · %1</translation>
    </message>
    <message>
        <source>Close in meaning %1 · %2</source>
        <translation>语义相近 %1 · %2</translation>
    </message>
    <message>
        <source>May belong to the code project “%1”: your decision</source>
        <translation>可能属于代码项目「%1」，请你决定</translation>
    </message>
    <message>
        <source>The usual folder for this type of file</source>
        <translation>按类型的默认位置</translation>
    </message>
    <message>
        <source>The file name says nothing usable</source>
        <translation>文件名没有可用信息</translation>
    </message>
    <message>
        <source>No folder is similar enough</source>
        <translation>没有足够相似的文件夹</translation>
    </message>
    <message>
        <source>No folder is similar enough (closest: %1)</source>
        <translation>没有足够相似的文件夹（最接近：%1）</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Vetoed on review (was %1, %2): %3: %4</source>
        <translation>质检否决（原建议 %1，%2）：%3：%4</translation>
    </message>
    <message>
        <source>Already in its destination folder</source>
        <translation>已在目标文件夹中</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>① Rules</source>
        <translation>① 规则</translation>
    </message>
    <message>
        <source>② Similarity</source>
        <translation>② 相似度</translation>
    </message>
    <message>
        <source>② Type Default</source>
        <translation>② 类型默认</translation>
    </message>
    <message>
        <source>③ Local Model</source>
        <translation>③ 本地 LLM</translation>
    </message>
    <message>
        <source>④ Content (Local)</source>
        <translation>④ 内容(本地)</translation>
    </message>
    <message>
        <source>The file is no longer where it was</source>
        <translation>文件已不在原处</translation>
    </message>
    <message>
        <source>The moved file can&apos;t be found</source>
        <translation>找不到已移动的文件</translation>
    </message>
    <message>
        <source>This is no longer the file that was moved</source>
        <translation>已不是整理时移动的那个文件</translation>
    </message>
    <message>
        <source>The local model is turned off</source>
        <translation>本地模型已关闭</translation>
    </message>
    <message>
        <source>The local model isn&apos;t ready yet</source>
        <translation>本地模型尚未就绪</translation>
    </message>
    <message>
        <source>The local model isn&apos;t available</source>
        <translation>本地模型不可用</translation>
    </message>
    <message>
        <source>The file name says nothing usable (closest: %1)</source>
        <translation>文件名没有可用信息（最接近：%1）</translation>
    </message>
    <message>
        <source>The folder&apos;s name matches</source>
        <translation>文件夹名称相符</translation>
    </message>
    <message>
        <source>Close to the words of the whole folder</source>
        <translation>和整个文件夹的用词相近</translation>
    </message>
    <message>
        <source>Like “%1” here</source>
        <translation>像这里的 “%1”</translation>
    </message>
    <message numerus="yes">
        <source>Like “%1” here and %n more file(s)</source>
        <translation>
            <numerusform>像这里的 “%1” 和另外 %n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>Similarity points to “%1”, but the name is more like the files in “%2”: your decision</source>
        <translation>相似度指向「%1」，但名称更像「%2」里的文件，请你决定</translation>
    </message>
    <message>
        <source>② Name Index</source>
        <translation>② 名称索引</translation>
    </message>
    <message>
        <source>The local model service needs a key</source>
        <translation>本地模型服务需要密钥</translation>
    </message>
    <message>
        <source>The local model service doesn&apos;t accept the key</source>
        <translation>本地模型服务不接受该密钥</translation>
    </message>
    <message>
        <source>The destination folder was replaced after review; the file stays where it was</source>
        <translation>审阅后目标文件夹已被替换，文件留在原处</translation>
    </message>
    <message>
        <source>The folder was replaced after the tidy; the file stays where it is</source>
        <translation>整理后文件夹已被替换，文件留在原处</translation>
    </message>
    <message>
        <source>The file is still being written; it waits for the next tidy</source>
        <translation>文件仍在写入，留到下次整理</translation>
    </message>
    <message>
        <source>Moved before the interruption; now in the history</source>
        <translation>中断前已移动，已记入历史</translation>
    </message>
    <message>
        <source>Put back before the interruption; removed from the history</source>
        <translation>中断前已放回原处，已从历史中移除</translation>
    </message>
    <message>
        <source>Not moved before the interruption; still where it was</source>
        <translation>中断前未移动，仍在原处</translation>
    </message>
    <message>
        <source>Removed a spare copy the interruption left; the original is still where it was</source>
        <translation>已删除中断时留下的多余副本，原文件仍在原处</translation>
    </message>
    <message>
        <source>Removed an unfinished copy the interruption left</source>
        <translation>已删除中断时未完成的副本</translation>
    </message>
    <message>
        <source>After the interruption, found neither where it was nor where it went</source>
        <translation>中断后在原处和目标处都找不到</translation>
    </message>
    <message>
        <source>The move before the interruption can&apos;t be confirmed; the file at the destination is left alone</source>
        <translation>中断前的移动无法确认，目标处的文件保持不动</translation>
    </message>
</context>
<context>
    <name>ReviewRows</name>
    <message>
        <source>Trash</source>
        <translation>回收站</translation>
    </message>
    <message>
        <source>Unsorted</source>
        <translation>未分类</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Ignored</source>
        <translation>不整理的文件</translation>
    </message>
</context>
<context>
    <name>StoreNotice</name>
    <message>
        <source>Vesk couldn&apos;t read its settings in %1, so it started with the defaults. The old settings were kept as %2.</source>
        <translation>Vesk 无法读取 %1 中的设置，已使用默认设置启动。原来的设置已保存为 %2。</translation>
    </message>
    <message>
        <source>Vesk can&apos;t start: its settings in %1 can&apos;t be read or moved aside (%2).</source>
        <translation>Vesk 无法启动：%1 中的设置既无法读取，也无法移到一旁（%2）。</translation>
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
        <translation>1 周</translation>
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
        <translation>欢迎使用 Vesk</translation>
    </message>
    <message>
        <source>Vesk keeps the folders you choose tidy. Everything happens on your computer.</source>
        <translation>Vesk 让你选择的文件夹保持整洁。一切都在你的电脑上进行。</translation>
    </message>
    <message>
        <source>Folders to Tidy</source>
        <translation>要整理的文件夹</translation>
    </message>
    <message>
        <source>Choose Folders</source>
        <translation>选择文件夹</translation>
    </message>
    <message>
        <source>Vesk only looks at the folders you choose.</source>
        <translation>Vesk 只查看你选择的文件夹。</translation>
    </message>
    <message>
        <source>Access Allowed</source>
        <translation>已允许访问</translation>
    </message>
    <message>
        <source>Your system asks you to confirm which folders Vesk may use. Choose your home folder so Vesk can tidy the folders you picked and file things into your folders.</source>
        <translation>系统要求你确认 Vesk 可以使用哪些文件夹。请选择你的主文件夹，这样 Vesk 才能整理你选择的文件夹，并把文件归档到你的文件夹中。</translation>
    </message>
    <message>
        <source>Vesk Is in the System Tray</source>
        <translation>Vesk 在系统托盘中</translation>
    </message>
    <message>
        <source>Click the drawer in the system tray to review and tidy your files.</source>
        <translation>点击系统托盘中的抽屉图标，查看并整理你的文件。</translation>
    </message>
    <message>
        <source>&amp;Add Folder…</source>
        <translation>添加文件夹(&amp;A)…</translation>
    </message>
    <message>
        <source>Allow &amp;Access…</source>
        <translation>允许访问(&amp;A)…</translation>
    </message>
    <message>
        <source>Sort with a &amp;Local Model</source>
        <translation>用本地模型整理(&amp;L)</translation>
    </message>
</context>
<context>
    <name>vesk::AppModel</name>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Move Here</source>
        <translation>移到这里</translation>
    </message>
    <message>
        <source>Add Folders to Tidy</source>
        <translation>添加要整理的文件夹</translation>
    </message>
    <message>
        <source>Move to Another Folder</source>
        <translation>移到其他文件夹</translation>
    </message>
</context>
<context>
    <name>vesk::DestinationChoices</name>
    <message>
        <source>Suggested</source>
        <translation>建议</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>最近使用</translation>
    </message>
    <message>
        <source>Other Folder…</source>
        <translation>其他文件夹…</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>移到回收站</translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation>不整理</translation>
    </message>
    <message>
        <source>Current destination</source>
        <translation>当前目的地</translation>
    </message>
    <message>
        <source>Score %1</source>
        <translation>得分 %1</translation>
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
        <translation>查找文件夹</translation>
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
        <translation>新文件会先等几天。</translation>
    </message>
    <message>
        <source>Nothing to Tidy</source>
        <translation>没有需要整理的文件</translation>
    </message>
</context>
<context>
    <name>vesk::FolderList</name>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
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
        <translation>要整理的文件夹</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>添加文件夹…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Allow Access…</source>
        <translation>允许访问…</translation>
    </message>
    <message>
        <source>Vesk can use your home folder.</source>
        <translation>Vesk 可以使用你的主文件夹。</translation>
    </message>
    <message>
        <source>Vesk can use only the folders you added.</source>
        <translation>Vesk 只能使用你添加的文件夹。</translation>
    </message>
    <message>
        <source>Vesk needs at least one folder to tidy.</source>
        <translation>Vesk 至少需要一个要整理的文件夹。</translation>
    </message>
    <message>
        <source>Folders to &amp;Tidy</source>
        <translation>要整理的文件夹(&amp;T)</translation>
    </message>
    <message>
        <source>Vesk offers the files that wait in these folders.</source>
        <translation>Vesk 会整理在这些文件夹中等待的文件。</translation>
    </message>
</context>
<context>
    <name>vesk::GeneralSettings</name>
    <message>
        <source>Open at Login</source>
        <translation>登录时打开</translation>
    </message>
    <message>
        <source>Sort with a Local Model</source>
        <translation>用本地模型整理</translation>
    </message>
    <message>
        <source>Read File Contents</source>
        <translation>读取文件内容</translation>
    </message>
    <message>
        <source>Wait Before Tidying</source>
        <translation>整理前等待</translation>
    </message>
    <message>
        <source>Checking for a local model…</source>
        <translation>正在检查本地模型…</translation>
    </message>
    <message>
        <source>&amp;Open at Login</source>
        <translation>登录时打开(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Wait Before Tidying</source>
        <translation>整理前等待(&amp;W)</translation>
    </message>
    <message>
        <source>Sort with a &amp;Local Model</source>
        <translation>用本地模型整理(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Read File Contents</source>
        <translation>读取文件内容(&amp;R)</translation>
    </message>
    <message>
        <source>Notify When Files Wait</source>
        <translation>有文件待整理时通知</translation>
    </message>
    <message>
        <source>&amp;Notify When Files Wait</source>
        <translation>有文件待整理时通知(&amp;N)</translation>
    </message>
    <message>
        <source>Login and Notifications</source>
        <translation>登录与通知</translation>
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
        <translation>由环境变量 %1 设定</translation>
    </message>
    <message>
        <source>&amp;Check Again</source>
        <translation>再次检查(&amp;C)</translation>
    </message>
    <message>
        <source>The first one that can chat</source>
        <translation>第一个可以对话的模型</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>&amp;Address</source>
        <translation>地址(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Model</source>
        <translation>模型(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Key</source>
        <translation>密钥(&amp;K)</translation>
    </message>
    <message>
        <source>How to start a local model</source>
        <translation>如何启动本地模型</translation>
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
            <numerusform>另有 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>Review</source>
        <translation>查看</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) are ready to tidy</source>
        <translation>
            <numerusform>%n 个文件可以整理了</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n file(s)</source>
        <translation>
            <numerusform>已移动 %n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>This tidy can&apos;t be undone: its history could not be written.</source>
        <translation>这次整理无法撤销：整理记录未能写入。</translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be moved.</source>
        <translation>有些文件无法移动。</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) came back under a new name, as the old one was taken.</source>
        <translation>
            <numerusform>%n 个文件以新名称放回，因为原名称已被占用。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s)</source>
        <translation>
            <numerusform>已放回 %n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be put back.</source>
        <translation>有些文件无法放回。</translation>
    </message>
</context>
<context>
    <name>vesk::ReviewBottomBar</name>
    <message>
        <source>Scanning…</source>
        <translation>正在扫描…</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>&amp;Undo Last Tidy</source>
        <translation>撤销上次整理(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Tidy</source>
        <translation>整理(&amp;T)</translation>
    </message>
    <message numerus="yes">
        <source>&amp;Tidy %n File(s)</source>
        <translation>
            <numerusform>整理 %n 个文件(&amp;T)</numerusform>
        </translation>
    </message>
    <message>
        <source>Putting back %1 of %2…</source>
        <translation>正在放回第 %1 个，共 %2 个…</translation>
    </message>
    <message>
        <source>Moving %1 of %2…</source>
        <translation>正在移动第 %1 个，共 %2 个…</translation>
    </message>
    <message numerus="yes">
        <source>Moved %n file(s)</source>
        <translation>
            <numerusform>已移动 %n 个文件</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) are back</source>
        <translation>
            <numerusform>%n 个文件已放回原处</numerusform>
        </translation>
    </message>
    <message>
        <source>Asking the local model… %1 of %2</source>
        <translation>正在询问本地模型… 第 %1 个，共 %2 个</translation>
    </message>
</context>
<context>
    <name>vesk::ReviewTable</name>
    <message>
        <source>Show in File Manager</source>
        <translation>在文件管理器中显示</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>移到回收站</translation>
    </message>
    <message>
        <source>Don&apos;t Tidy</source>
        <translation>不整理</translation>
    </message>
    <message>
        <source>Files to Tidy</source>
        <translation>待整理的文件</translation>
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
        <translation>选择…</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
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
            <numerusform>%n 个文件待整理 — Vesk</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Some files couldn&apos;t be moved.</source>
        <translation>有些文件无法移动。</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>筛选(&amp;F)：</translation>
    </message>
    <message>
        <source>Name, folder or reason</source>
        <translation>名称、文件夹或原因</translation>
    </message>
</context>
<context>
    <name>vesk::SettingsWindow</name>
    <message>
        <source>Settings — Vesk</source>
        <translation>设置 — Vesk</translation>
    </message>
    <message>
        <source>General</source>
        <translation>通用</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>文件夹</translation>
    </message>
</context>
<context>
    <name>vesk::Shell</name>
    <message>
        <source>About Vesk</source>
        <translation>关于 Vesk</translation>
    </message>
    <message>
        <source>Free. Works offline. Nothing leaves your computer.</source>
        <translation>免费。离线工作。任何内容都不会离开你的电脑。</translation>
    </message>
</context>
<context>
    <name>vesk::SourceWatcher</name>
    <message>
        <source>Missing. Vesk watches for it to come back.</source>
        <translation>文件夹不存在。它重新出现时 Vesk 会继续监视。</translation>
    </message>
    <message>
        <source>Not a folder.</source>
        <translation>不是文件夹。</translation>
    </message>
    <message>
        <source>Vesk isn&apos;t allowed to read it.</source>
        <translation>Vesk 无权读取它。</translation>
    </message>
    <message>
        <source>The system&apos;s limit of watched folders is reached. Vesk looks at it every minute instead.</source>
        <translation>已达到系统可监视文件夹的上限。Vesk 改为每分钟查看一次。</translation>
    </message>
    <message>
        <source>The system can&apos;t watch it. Vesk looks at it every minute instead.</source>
        <translation>系统无法监视它。Vesk 改为每分钟查看一次。</translation>
    </message>
</context>
<context>
    <name>vesk::TargetRootSettings</name>
    <message>
        <source>Folders to File Into</source>
        <translation>可归入的文件夹</translation>
    </message>
    <message>
        <source>Vesk suggests destinations among these folders and the folders inside them.</source>
        <translation>Vesk 会在这些文件夹及其子文件夹中为文件建议去处。</translation>
    </message>
    <message>
        <source>Add Folder to File Into…</source>
        <translation>添加可归入的文件夹…</translation>
    </message>
    <message>
        <source>Folders to &amp;File Into</source>
        <translation>可归入的文件夹(&amp;F)</translation>
    </message>
</context>
<context>
    <name>vesk::Tray</name>
    <message numerus="yes">
        <source>Vesk: %n file(s) to tidy</source>
        <translation>
            <numerusform>Vesk：%n 个文件待整理</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vesk::WelcomeFlow</name>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>继续(&amp;C)</translation>
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
