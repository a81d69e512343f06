<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AddressMode</name>
    <message>
        <source>桌面</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>z</source>
        <comment>the letter typed for the desktop</comment>
        <translation>d</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>无法读取文件夹：%1</source>
        <translation>Cannot read the folder: %1</translation>
    </message>
    <message>
        <source>文件夹中没有文件“%1”</source>
        <translation>The folder has no file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>清单中“%1”出现了两次</source>
        <translation>&quot;%1&quot; appears twice in the list</translation>
    </message>
    <message>
        <source>按清单重命名；没有此项时只列出计划</source>
        <translation>rename by the list; without this, only list the plan</translation>
    </message>
    <message>
        <source>计划文本，或每行“原文件名&lt;TAB&gt;新文件名”的清单</source>
        <translation>a plan text, or a list of &quot;old name&lt;TAB&gt;new name&quot; lines</translation>
    </message>
    <message>
        <source>文件所在的文件夹</source>
        <translation>the folder that holds the files</translation>
    </message>
    <message>
        <source>需要一个清单和一个文件夹</source>
        <translation>a list and a folder are needed</translation>
    </message>
    <message>
        <source>无法读取清单</source>
        <translation>Cannot read the list</translation>
    </message>
    <message>
        <source>比较文件内容，而不只是大小</source>
        <translation>compare the files&apos; contents, not only their sizes</translation>
    </message>
    <message>
        <source>需要一个文件夹</source>
        <translation>a folder is needed</translation>
    </message>
    <message>
        <source>列出计划中的重命名；不改动任何文件。</source>
        <translation>Lists the planned renames; changes nothing.</translation>
    </message>
    <message>
        <source>按计划重命名文件；加 -n 时只列出计划，不改动任何文件。</source>
        <translation>Renames the files as planned; with -n only lists the plan and changes nothing.</translation>
    </message>
    <message>
        <source>按清单重命名文件；没有 --run 时只列出计划，不改动任何文件。</source>
        <translation>Renames the files by a list; without --run only lists the plan and changes nothing.</translation>
    </message>
    <message>
        <source>撤销一次重命名。</source>
        <translation>Undoes a rename run.</translation>
    </message>
    <message>
        <source>列出可以撤销的重命名；不改动任何文件。</source>
        <translation>Lists the rename runs that can be undone; changes nothing.</translation>
    </message>
    <message>
        <source>history 不带参数</source>
        <translation>history takes no arguments</translation>
    </message>
    <message>
        <source>未知的子命令：%1</source>
        <translation>Unknown subcommand: %1</translation>
    </message>
    <message>
        <source>显示此帮助</source>
        <translation>show this help</translation>
    </message>
    <message>
        <source>要撤销的重命名（history 列出的编号）；默认为最近一次</source>
        <translation>the run to undo (its number as history lists it); the latest by default</translation>
    </message>
    <message>
        <source>只能撤销一次重命名</source>
        <translation>only one run can be undone at a time</translation>
    </message>
    <message>
        <source>无效的编号：%1</source>
        <translation>Not a run number: %1</translation>
    </message>
    <message>
        <source>未完成</source>
        <translation>cut short</translation>
    </message>
    <message>
        <source>%1 %2：%3</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>只列出计划，不改动任何文件（同 plan）</source>
        <translation>only list the plan, change nothing (as plan does)</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>原文件名</source>
        <translation>Old name</translation>
    </message>
    <message>
        <source>新文件名</source>
        <translation>New name</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>在文件名前加上 TEXT</source>
        <translation>put TEXT in front of the name</translation>
    </message>
    <message>
        <source>在主文件名后加上 TEXT</source>
        <translation>put TEXT behind the base name</translation>
    </message>
    <message>
        <source>主文件名改为 TEXT(n)，n 为序号</source>
        <translation>make the base name TEXT(n), n a running number</translation>
    </message>
    <message>
        <source>扩展名改为 TEXT</source>
        <translation>make the extension TEXT</translation>
    </message>
    <message>
        <source>只取文件名含 TEXT 的文件（通配符）</source>
        <translation>take only files whose base name holds TEXT (wildcards)</translation>
    </message>
    <message>
        <source>只取扩展名含 TEXT 的文件（通配符）</source>
        <translation>take only files whose extension holds TEXT (wildcards)</translation>
    </message>
    <message>
        <source>查找 TEXT</source>
        <translation>find TEXT</translation>
    </message>
    <message>
        <source>替换为 TEXT</source>
        <translation>replace it with TEXT</translation>
    </message>
    <message>
        <source>查找的是正则表达式</source>
        <translation>what is found is a regular expression</translation>
    </message>
    <message>
        <source>查找区分大小写</source>
        <translation>find with letter case told apart</translation>
    </message>
    <message>
        <source>在整个文件名中查找，而不只是主文件名</source>
        <translation>find in the whole name, not only the base name</translation>
    </message>
    <message>
        <source>主文件名的大小写：unchanged、lower、upper、capitalized</source>
        <translation>letter case of the base name: unchanged, lower, upper, capitalized</translation>
    </message>
    <message>
        <source>扩展名的大小写：unchanged、lower、upper、capitalized</source>
        <translation>letter case of the extension: unchanged, lower, upper, capitalized</translation>
    </message>
    <message>
        <source>序号的起始值、步长和位数</source>
        <translation>the numbering&apos;s start, step and width</translation>
    </message>
    <message>
        <source>排序：list、mtime 或 photo-date</source>
        <translation>order: list, mtime or photo-date</translation>
    </message>
    <message>
        <source>使用在窗口中保存的方案 NAME</source>
        <translation>use the rule set NAME saved in the window</translation>
    </message>
    <message>
        <source>只重命名文件 NAME（单个）</source>
        <translation>rename only the file NAME (single)</translation>
    </message>
    <message>
        <source>没有名为“%1”的方案</source>
        <translation>There is no rule set named &quot;%1&quot;</translation>
    </message>
    <message>
        <source>筛选条件不能含有“/”</source>
        <translation>A filter cannot hold &quot;/&quot;</translation>
    </message>
    <message>
        <source>--with 需要 --replace</source>
        <translation>--with needs --replace</translation>
    </message>
    <message>
        <source>--%1 的值无效：%2</source>
        <translation>Invalid value for --%1: %2</translation>
    </message>
    <message>
        <source>--number 的值无效：%1</source>
        <translation>Invalid value for --number: %1</translation>
    </message>
    <message>
        <source>--order 的值无效：%1</source>
        <translation>Invalid value for --order: %1</translation>
    </message>
    <message>
        <source>有文件名无法在限定时间内用表达式处理，没有重命名任何文件。</source>
        <translation>The expression took too long on some names; no file was renamed.</translation>
    </message>
    <message>
        <source>以计划文本输出（制表符分隔）</source>
        <translation>write the plan text (tab-separated)</translation>
    </message>
    <message>
        <source>以 JSON Lines 输出</source>
        <translation>write JSON Lines</translation>
    </message>
    <message>
        <source>输出每个新文件名的原始字节，以 NUL 结尾</source>
        <translation>write each new name&apos;s exact bytes, each ended by NUL</translation>
    </message>
    <message>
        <source>与 -0 同用：输出原文件名</source>
        <translation>with -0: write the old names</translation>
    </message>
    <message>
        <source>清单第 %1 行：</source>
        <translation>List line %1: </translation>
    </message>
    <message>
        <source>不是计划文本的一行</source>
        <translation>not a line of a plan text</translation>
    </message>
    <message>
        <source>属于另一个文件夹</source>
        <translation>belongs to another folder</translation>
    </message>
    <message>
        <source>应为“原文件名&lt;TAB&gt;新文件名”</source>
        <translation>should be &quot;old name&lt;TAB&gt;new name&quot;</translation>
    </message>
    <message>
        <source>--only 不能与 -r 同用</source>
        <translation>--only cannot be used with -r</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>包括各级子文件夹中的文件（只改文件名，不改文件夹名）</source>
        <translation>take the files of every folder below too (files are renamed, folders are not)</translation>
    </message>
    <message>
        <source>与 -r 同用：序号在各文件夹间连续，而不是每个文件夹从头开始</source>
        <translation>with -r: number on across the folders instead of afresh in each</translation>
    </message>
    <message>
        <source>--number-across 需要 -r</source>
        <translation>--number-across needs -r</translation>
    </message>
    <message>
        <source>无法读取文件夹</source>
        <translation>cannot read the folder</translation>
    </message>
    <message>
        <source>文件夹“%1”不在所给的文件夹之下</source>
        <translation>the folder &quot;%1&quot; is not below the folder given</translation>
    </message>
    <message>
        <source>--%1 与 --%2 不能同用</source>
        <translation>--%1 and --%2 cannot be used together</translation>
    </message>
    <message>
        <source>删除主文件名前 N 个字符之后的 COUNT 个字符</source>
        <translation>Remove COUNT characters after the first N characters of the base name</translation>
    </message>
    <message>
        <source>删除主文件名后 N 个字符之前的 COUNT 个字符</source>
        <translation>Remove COUNT characters before the last N characters of the base name</translation>
    </message>
    <message>
        <source>在主文件名前 N 个字符之后插入 TEXT</source>
        <translation>Insert TEXT after the first N characters of the base name</translation>
    </message>
    <message>
        <source>在主文件名后 N 个字符之前插入 TEXT</source>
        <translation>Insert TEXT before the last N characters of the base name</translation>
    </message>
    <message>
        <source>由字段组成整个新名称，如 {date:yyyy-MM-dd}_{n:3}{ext}</source>
        <translation>build the whole new name from fields, such as {date:yyyy-MM-dd}_{n:3}{ext}</translation>
    </message>
    <message>
        <source>--pattern 的值无效：%1</source>
        <translation>Invalid value for --pattern: %1</translation>
    </message>
    <message>
        <source>无法写入撤销记录，没有移动任何文件。</source>
        <translation>The undo record cannot be written; no file was moved.</translation>
    </message>
    <message>
        <source>无法打开文件夹，没有移动任何文件。</source>
        <translation>The folder cannot be opened; no file was moved.</translation>
    </message>
    <message>
        <source>列出每组副本保留哪个文件、哪些移到回收站（需要 --content）</source>
        <translation>list which file of each group of copies stays and which go to the trash (needs --content)</translation>
    </message>
    <message>
        <source>每组保留的文件：oldest（最早的）、newest（最新的）、shortest（路径最短的）或 first（列表中第一个）</source>
        <translation>the file each group keeps: oldest, newest, shortest (the shortest path) or first (the first in the list)</translation>
    </message>
    <message>
        <source>真的把副本移到回收站（可用 undo 撤销）</source>
        <translation>really move the copies to the trash (undo puts them back)</translation>
    </message>
    <message>
        <source>--trash-copies 需要 --content 和 --keep oldest|newest|shortest|first</source>
        <translation>--trash-copies needs --content and --keep oldest|newest|shortest|first</translation>
    </message>
    <message>
        <source>--keep 和 --run 只与 --trash-copies 一起使用</source>
        <translation>--keep and --run go only with --trash-copies</translation>
    </message>
    <message>
        <source>用法：vornak-cli 子命令 [选项] [参数]

子命令：
  plan [规则] FOLDER   列出每个计划中的重命名及其状态；不改动任何文件
      vornak-cli plan --prefix 2024_ ~/照片
  run [规则] FOLDER    按计划重命名（可撤销），并报告未改名的文件及原因
      vornak-cli run --base 旅行 --number 1,1,3 ~/照片
      vornak-cli run -r --prefix 2024_ ~/照片   （-r：连同各级子文件夹中的文件）
  apply [--run] LIST FOLDER  按清单（计划文本或“原名&lt;TAB&gt;新名”）重命名；没有 --run 时只列出计划
      vornak-cli plan --suffix _v2 ~/文档 &gt; 清单.tsv; vornak-cli apply --run 清单.tsv ~/文档
  undo [RUN]           撤销最近一次（或指定的）重命名或移到回收站，同窗口中的 Ctrl+Z
      vornak-cli undo
  history              列出可以撤销的重命名：编号、时间、文件夹、文件数
      vornak-cli history
  check [--content] FOLDER  列出大小一致（或内容相同）的文件；不改动任何文件
      vornak-cli check --content ~/下载
  check --content --trash-copies --keep RULE [--run] FOLDER  每组副本只留一个，其余移到回收站（有 --run 时才移动，可撤销）
      vornak-cli check --content --trash-copies --keep oldest --run ~/下载

vornak-cli 子命令 --help 列出该子命令的选项。
</source>
        <translation>Usage: vornak-cli SUBCOMMAND [options] [arguments]

Subcommands:
  plan [rules] FOLDER  list every planned rename with its status; changes nothing
      vornak-cli plan --prefix 2024_ ~/Photos
  run [rules] FOLDER   rename as planned (undoable); report the files that kept their names and why
      vornak-cli run --base trip --number 1,1,3 ~/Photos
      vornak-cli run -r --prefix 2024_ ~/Photos   (-r: with the files of every folder below)
  apply [--run] LIST FOLDER  rename by a list (a plan text or &quot;old&lt;TAB&gt;new&quot; lines); without --run only plans
      vornak-cli plan --suffix _v2 ~/Documents &gt; list.tsv; vornak-cli apply --run list.tsv ~/Documents
  undo [RUN]           undo the last rename or move to the trash (or the one named), as Ctrl+Z does in the window
      vornak-cli undo
  history              list the renames that can be undone: number, time, folder, count
      vornak-cli history
  check [--content] FOLDER  list the files of equal size (or equal content); changes nothing
      vornak-cli check --content ~/Downloads
  check --content --trash-copies --keep RULE [--run] FOLDER  keep one file of each group of copies, the others to the trash (moved only with --run; undoable)
      vornak-cli check --content --trash-copies --keep oldest --run ~/Downloads

vornak-cli SUBCOMMAND --help lists that subcommand&apos;s options.
</translation>
    </message>
    <message>
        <source>检查大小一致或内容相同的文件；只有 --trash-copies --run 会把副本移到回收站。</source>
        <translation>Checks for files of equal size or equal content; only --trash-copies --run moves copies to the trash.</translation>
    </message>
    <message>
        <source>移到回收站</source>
        <translation>to the trash</translation>
    </message>
</context>
<context>
    <name>ContentReport</name>
    <message>
        <source>文件不存在</source>
        <translation>file does not exist</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>没有读取权限</source>
        <translation>no permission to read</translation>
    </message>
    <message>
        <source>读取出错</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>第 %1 组：</source>
        <translation>Group %1:</translation>
    </message>
    <message>
        <source>（与 %1 是同一个文件）</source>
        <translation> (the same file as %1)</translation>
    </message>
    <message>
        <source>无法读取、未比较的文件 %1 个：</source>
        <translation>%1 files could not be read and were not compared:</translation>
    </message>
    <message>
        <source>检查期间有改动、不算作内容相同的文件 %1 个：</source>
        <translation>%1 files changed during the check and are not counted as equal:</translation>
    </message>
    <message>
        <source>内容检查结果</source>
        <translation>Content check</translation>
    </message>
    <message>
        <source>没有内容相同的文件!</source>
        <translation>No files of equal content!</translation>
    </message>
    <message>
        <source>（符号链接）</source>
        <translation> (symbolic link)</translation>
    </message>
    <message>
        <source>（符号链接，与 %1 是同一个文件）</source>
        <translation> (symbolic link, the same file as %1)</translation>
    </message>
    <message>
        <source>（硬链接）</source>
        <translation> (hard link)</translation>
    </message>
    <message>
        <source>（硬链接，与 %1 是同一个文件）</source>
        <translation> (hard link, the same file as %1)</translation>
    </message>
    <message>
        <source>%1 个名称、同一个文件，%2 字节</source>
        <translation>%1 names of one file, %2 bytes</translation>
    </message>
    <message>
        <source>%1 个名称、</source>
        <translation>%1 names, </translation>
    </message>
    <message>
        <source>%1 个文件，每个 %2 字节，只留一个可释放 %3 字节</source>
        <translation>%1 files, %2 bytes each; keeping one frees at least %3 bytes</translation>
    </message>
    <message>
        <source>内容相同的文件共 %1 组、%2 个文件，每组只留一个可释放 %3 字节</source>
        <translation>%1 groups, %2 files of equal content; keeping one of each frees at least %3 bytes</translation>
    </message>
    <message>
        <source>同一个文件的几个名称（不是副本）共 %1 组、%2 个名称：</source>
        <translation>%1 groups, %2 names that lead to one file each (not copies):</translation>
    </message>
</context>
<context>
    <name>CopiesMoveText</name>
    <message>
        <source>（符号链接）</source>
        <translation> (symbolic link)</translation>
    </message>
    <message>
        <source>（硬链接）</source>
        <translation> (hard link)</translation>
    </message>
    <message>
        <source>共 %1 组，%2 个名称移到回收站，清空回收站可释放 %3 字节</source>
        <translation>%1 groups, %2 names to the trash; emptying the trash frees %3 bytes</translation>
    </message>
    <message>
        <source>第 %1 组：保留 %2</source>
        <translation>Group %1: keep %2</translation>
    </message>
    <message>
        <source>&#x3000;移走 %1，可释放 %2 字节</source>
        <translation>  move %1, frees %2 bytes</translation>
    </message>
    <message>
        <source>已将 %1 个文件移到回收站，%2 个未能移动。</source>
        <translation>%1 files moved to the trash, %2 could not be moved.</translation>
    </message>
    <message>
        <source>检查之后有改动，不再算作副本</source>
        <translation>changed since the check, no longer a copy</translation>
    </message>
    <message>
        <source>所在的卷没有可用的回收站</source>
        <translation>its volume has no usable trash</translation>
    </message>
    <message>
        <source>“%1”：%2</source>
        <translation>&quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>没有可移到回收站的副本。</source>
        <translation>No copies to move to the trash.</translation>
    </message>
    <message>
        <source>这个文件夹所在的卷没有可用的回收站，副本不能移到回收站。</source>
        <translation>This folder&apos;s volume has no usable trash; the copies cannot be moved to the trash.</translation>
    </message>
</context>
<context>
    <name>FindReplace</name>
    <message>
        <source>表达式有误（第 %1 个字符）：%2</source>
        <translation>Invalid expression (at character %1): %2</translation>
    </message>
    <message>
        <source>替换文本中的“%1%2”没有对应的分组（表达式有 %3 个分组）</source>
        <translation>&quot;%1%2&quot; in the replacement names no group (the expression has %3 groups)</translation>
    </message>
</context>
<context>
    <name>FullCheckReport</name>
    <message>
        <source>没有检测到大小一致的文件!</source>
        <translation>No files of equal size found!</translation>
    </message>
</context>
<context>
    <name>KeptFile</name>
    <message>
        <source>“%1” → “%2”：%3</source>
        <translation>&quot;%1&quot; → &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>无法重命名</source>
        <translation>cannot rename</translation>
    </message>
    <message>
        <source>无法重命名（%1）</source>
        <translation>cannot rename (%1)</translation>
    </message>
    <message>
        <source>新名称已被占用</source>
        <translation>the new name is taken</translation>
    </message>
    <message>
        <source>新名称太长</source>
        <translation>the new name is too long</translation>
    </message>
    <message>
        <source>没有权限或只读</source>
        <translation>no permission, or read-only</translation>
    </message>
    <message>
        <source>文件已不存在</source>
        <translation>the file no longer exists</translation>
    </message>
    <message>
        <source>此处不允许该名称</source>
        <translation>the name is not allowed here</translation>
    </message>
    <message>
        <source>与本批其他文件重名</source>
        <translation>same name as another file of the batch</translation>
    </message>
    <message>
        <source>需等待的文件未能改名</source>
        <translation>the file it waited for kept its name</translation>
    </message>
    <message>
        <source>大小写更改中断，文件暂名为 </source>
        <translation>case change cut short, the file is named for now </translation>
    </message>
    <message>
        <source>循环改名中断，文件暂名为 </source>
        <translation>cycle of renames cut short, the file is named for now </translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>名称太长</source>
        <translation>name too long</translation>
    </message>
    <message>
        <source>该名称下的文件已被更改或替换</source>
        <translation>the file under that name was changed or replaced</translation>
    </message>
    <message>
        <source>原名称已被占用</source>
        <translation>the old name is taken</translation>
    </message>
    <message>
        <source>可能是中断的重命名留下的占位文件，但已被写入，未删除</source>
        <translation>may be the placeholder of a rename cut short, but it has been written to, so it was not deleted</translation>
    </message>
    <message>
        <source>中断的重命名留下的占位文件未能删除（%1）</source>
        <translation>the placeholder left by a rename cut short could not be deleted (%1)</translation>
    </message>
    <message>
        <source>“%1”：%2</source>
        <translation>&quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>位置：</source>
        <translation>Where: </translation>
    </message>
    <message>
        <source>没有此文件！请检查！</source>
        <translation>No such file! Please check!</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>Reason: </translation>
    </message>
    <message>
        <source>出错提示!</source>
        <translation>Error!</translation>
    </message>
</context>
<context>
    <name>NamePattern</name>
    <message>
        <source>模式中没有字段“{%1}”</source>
        <translation>The pattern has no field “{%1}”</translation>
    </message>
    <message>
        <source>模式中的“{%1”缺少“}”</source>
        <translation>“{%1” in the pattern lacks its “}”</translation>
    </message>
    <message>
        <source>模式中的“{%1}”参数有误</source>
        <translation>“{%1}” in the pattern has a wrong argument</translation>
    </message>
</context>
<context>
    <name>NameText</name>
    <message>
        <source>[非UTF-8] </source>
        <translation>[not UTF-8] </translation>
    </message>
</context>
<context>
    <name>PairReport</name>
    <message>
        <source>-------检查完成-------</source>
        <translation>-------Check complete-------</translation>
    </message>
    <message>
        <source>文件 “%1” 跟 “%2” 大小一致，可能是重复文件</source>
        <translation>Files &quot;%1&quot; and &quot;%2&quot; are of equal size, possibly duplicates</translation>
    </message>
    <message>
        <source>-------------------------------------检查完成---------------------------------------</source>
        <translation>-------------------------------------Check complete-------------------------------------</translation>
    </message>
    <message>
        <source>没有检测到与 “%1” 大小一致的文件!</source>
        <translation>No file of the same size as &quot;%1&quot; found!</translation>
    </message>
</context>
<context>
    <name>PlanFormat</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>原文件名</source>
        <translation>Old name</translation>
    </message>
    <message>
        <source>新文件名</source>
        <translation>New name</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>RenameStatus</name>
    <message>
        <source>将更改</source>
        <translation>will change</translation>
    </message>
    <message>
        <source>将隐藏</source>
        <translation>will hide</translation>
    </message>
    <message>
        <source>仅大小写</source>
        <translation>case only</translation>
    </message>
    <message>
        <source>不变</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>名称已被占用</source>
        <translation>name taken</translation>
    </message>
    <message>
        <source>与本批重名</source>
        <translation>same name in batch</translation>
    </message>
    <message>
        <source>循环或受阻</source>
        <translation>cycle or blocked</translation>
    </message>
    <message>
        <source>循环（经临时名称）</source>
        <translation>cycle (through a temporary name)</translation>
    </message>
    <message>
        <source>名称太长</source>
        <translation>name too long</translation>
    </message>
    <message>
        <source>名称不允许</source>
        <translation>name not allowed</translation>
    </message>
    <message>
        <source>表达式太复杂</source>
        <translation>expression too complex</translation>
    </message>
    <message>
        <source>缺少字段</source>
        <translation>Field missing</translation>
    </message>
    <message>
        <source>%1 {%2}</source>
        <translation>%1 {%2}</translation>
    </message>
    <message>
        <source>未选</source>
        <translation>Left out</translation>
    </message>
    <message>
        <source>手动</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>%1（手动）</source>
        <translation>%1 (typed)</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>已重命名 %1 个文件，%2 个未更改</source>
        <translation>%1 files renamed, %2 kept their names</translation>
    </message>
    <message>
        <source>已恢复 %1 个文件，%2 个未能恢复</source>
        <translation>%1 files restored, %2 could not be restored</translation>
    </message>
    <message>
        <source>无法写入撤销记录，没有重命名任何文件。</source>
        <translation>The undo record cannot be written; no file was renamed.</translation>
    </message>
    <message>
        <source>无法打开文件夹，没有重命名任何文件。</source>
        <translation>The folder cannot be opened; no file was renamed.</translation>
    </message>
    <message>
        <source>无法打开文件夹，没有撤销任何文件。</source>
        <translation>The folder cannot be opened; nothing was undone.</translation>
    </message>
    <message>
        <source>这次重命名已经撤销，或已不在记录中。</source>
        <translation>This rename has been undone already, or is no longer recorded.</translation>
    </message>
    <message>
        <source>另一个 Vornak 正在处理这次重命名，请稍后再试。</source>
        <translation>Another Vornak is working on this rename; please try again later.</translation>
    </message>
    <message>
        <source>这次重命名的撤销记录已损坏，无法撤销；没有改动任何文件。</source>
        <translation>The undo record of this rename is damaged, so it cannot be undone; no file was changed.</translation>
    </message>
    <message>
        <source>没有可以撤销的重命名。</source>
        <translation>There is no rename to undo.</translation>
    </message>
</context>
<context>
    <name>SizeCheck</name>
    <message>
        <source>检查结果</source>
        <translation>Check results</translation>
    </message>
</context>
<context>
    <name>SizeDisplay</name>
    <message>
        <source>B，约</source>
        <translation> B, about </translation>
    </message>
</context>
<context>
    <name>StatusSummary</name>
    <message>
        <source>共 %1 个</source>
        <translation>%1 in all</translation>
    </message>
    <message>
        <source>&#x3000;%1 %2</source>
        <translation>  %1 %2</translation>
    </message>
    <message>
        <source>&#x3000;无拍摄日期 %1</source>
        <translation>  no date taken %1</translation>
    </message>
</context>
<context>
    <name>SystemReason</name>
    <message>
        <source>文件或文件夹不存在</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>该名称已存在</source>
        <translation>the name exists</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>不允许此操作</source>
        <translation>operation not permitted</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>不能跨文件系统移动</source>
        <translation>cannot move across file systems</translation>
    </message>
    <message>
        <source>参数无效</source>
        <translation>invalid argument</translation>
    </message>
    <message>
        <source>名称太长</source>
        <translation>name too long</translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>this is a folder</translation>
    </message>
    <message>
        <source>文件或设备正忙</source>
        <translation>file or device busy</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>链接过多</source>
        <translation>too many links</translation>
    </message>
    <message>
        <source>文件夹不是空的</source>
        <translation>the folder is not empty</translation>
    </message>
    <message>
        <source>符号链接层数过多</source>
        <translation>too many levels of symbolic links</translation>
    </message>
    <message>
        <source>文件正在被执行</source>
        <translation>the file is being executed</translation>
    </message>
    <message>
        <source>资源暂时不可用</source>
        <translation>resource temporarily unavailable</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>打开的文件过多</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>系统打开的文件过多</source>
        <translation>too many open files in the system</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>不支持此操作</source>
        <translation>operation not supported</translation>
    </message>
    <message>
        <source>系统不支持此功能</source>
        <translation>function not implemented</translation>
    </message>
    <message>
        <source>网络文件句柄已失效</source>
        <translation>stale network file handle</translation>
    </message>
    <message>
        <source>名称含有无效字符</source>
        <translation>the name holds invalid characters</translation>
    </message>
    <message>
        <source>操作被中断</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>网络连接已断开</source>
        <translation>network connection lost</translation>
    </message>
    <message>
        <source>连接超时</source>
        <translation>connection timed out</translation>
    </message>
    <message>
        <source>文件描述符无效</source>
        <translation>bad file descriptor</translation>
    </message>
</context>
<context>
    <name>vornak::BatchPreviewModel</name>
    <message>
        <source>（无拍摄日期，按修改时间）</source>
        <translation> (no date taken: by modification time)</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>原文件名</source>
        <translation>Old name</translation>
    </message>
    <message>
        <source>新文件名</source>
        <translation>New name</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
</context>
<context>
    <name>vornak::BatchPreviewWindow</name>
    <message>
        <source>读取拍摄日期…</source>
        <translation>Reading the dates taken…</translation>
    </message>
    <message>
        <source>读取修改时间…</source>
        <translation>Reading the modification times…</translation>
    </message>
    <message>
        <source>批量预览</source>
        <translation>Batch preview</translation>
    </message>
    <message>
        <source>正在生成预览…</source>
        <translation>Making the preview…</translation>
    </message>
    <message>
        <source>方案名称</source>
        <translation>Rule set name</translation>
    </message>
    <message>
        <source>保存方案</source>
        <translation>Save rule set</translation>
    </message>
    <message>
        <source>载入方案</source>
        <translation>Load rule set</translation>
    </message>
    <message>
        <source>删除方案</source>
        <translation>Delete rule set</translation>
    </message>
    <message>
        <source>方案</source>
        <translation>Rule sets</translation>
    </message>
    <message>
        <source>只显示问题</source>
        <translation>Problems only</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>按预览执行重命名 (Ctrl+Enter)</source>
        <translation>Rename as previewed (Ctrl+Enter)</translation>
    </message>
    <message>
        <source>是否执行重命名？</source>
        <translation>Rename the files?</translation>
    </message>
    <message>
        <source>方案“%1”已存在，是否替换？</source>
        <translation>The rule set &quot;%1&quot; exists. Replace it?</translation>
    </message>
    <message>
        <source>确定删除方案“%1”吗？</source>
        <translation>Delete the rule set &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>文件夹在预览之后有了变化，已按现在的内容重新预览；请检查后再按执行。</source>
        <translation>The folder changed after the preview was made, so it has been previewed again as it is now; check it, then press Run again.</translation>
    </message>
    <message>
        <source>&#x3000;%1 个文件夹无法读取：%2</source>
        <translation>  %1 folder(s) could not be read: %2</translation>
    </message>
    <message>
        <source>读取音频标签…</source>
        <translation>Reading the audio tags…</translation>
    </message>
    <message>
        <source>勾选/取消勾选</source>
        <translation>Tick/Untick</translation>
    </message>
    <message>
        <source>恢复计划的名称</source>
        <translation>Restore the planned name</translation>
    </message>
</context>
<context>
    <name>vornak::BatchRulesPanel</name>
    <message>
        <source>列表顺序</source>
        <translation>List order</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Modification time</translation>
    </message>
    <message>
        <source>拍摄日期</source>
        <translation>Date taken</translation>
    </message>
    <message>
        <source>正则表达式</source>
        <translation>Regular expression</translation>
    </message>
    <message>
        <source>区分大小写</source>
        <translation>Match case</translation>
    </message>
    <message>
        <source>仅文件名</source>
        <translation>Base name only</translation>
    </message>
    <message>
        <source>整个名称</source>
        <translation>Whole name</translation>
    </message>
    <message>
        <source>不变</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>小写</source>
        <translation>lower case</translation>
    </message>
    <message>
        <source>大写</source>
        <translation>UPPER CASE</translation>
    </message>
    <message>
        <source>首字母大写</source>
        <translation>Capitalized</translation>
    </message>
    <message>
        <source>排序</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>编号顺序：</source>
        <translation>Number in:</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>Numbering</translation>
    </message>
    <message>
        <source>起始：</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>步长：</source>
        <translation>Step:</translation>
    </message>
    <message>
        <source>位数：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>查找/替换</source>
        <translation>Find/replace</translation>
    </message>
    <message>
        <source>查找：</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>替换为：</source>
        <translation>Replace with:</translation>
    </message>
    <message>
        <source>范围：</source>
        <translation>In:</translation>
    </message>
    <message>
        <source>大小写</source>
        <translation>Letter case</translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>扩展名：</source>
        <translation>Extension:</translation>
    </message>
    <message>
        <source>包含子文件夹</source>
        <translation>Include subfolders</translation>
    </message>
    <message>
        <source>跨文件夹连续编号</source>
        <translation>Number across folders</translation>
    </message>
    <message>
        <source>子文件夹</source>
        <translation>Subfolders</translation>
    </message>
    <message>
        <source>从开头</source>
        <translation>from the start</translation>
    </message>
    <message>
        <source>从末尾</source>
        <translation>from the end</translation>
    </message>
    <message>
        <source> 个字符</source>
        <translation> characters</translation>
    </message>
    <message>
        <source>按位置</source>
        <translation>By position</translation>
    </message>
    <message>
        <source>位置是主文件名中字符之间的间隔：从开头数，0 在第一个字符之前；从末尾数，0 在最后一个字符之后。先删除，再插入；扩展名不变。</source>
        <translation>A position is a gap between the characters of the base name: from the start, 0 is before the first character; from the end, 0 is after the last. Removing comes first, then inserting; the extension is never changed.</translation>
    </message>
    <message>
        <source>删除：</source>
        <translation>Remove:</translation>
    </message>
    <message>
        <source>位置：</source>
        <translation>At:</translation>
    </message>
    <message>
        <source>插入：</source>
        <translation>Insert:</translation>
    </message>
    <message>
        <source>由字段组成整个新名称：{name} {ext} {n} {n:位数} {folder} {date:格式} {artist} {album} {title} {track} {year}。空白则不用模式。</source>
        <translation>Builds the whole new name from fields: {name} {ext} {n} {n:width} {folder} {date:format} {artist} {album} {title} {track} {year}. Empty: no pattern.</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>新名称：</source>
        <translation>New name:</translation>
    </message>
</context>
<context>
    <name>vornak::ContentCheck</name>
    <message>
        <source>正在比较文件内容……</source>
        <translation>Comparing the files&apos; contents…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>内容检查</source>
        <translation>Content check</translation>
    </message>
    <message>
        <source>内容检查未能完成!</source>
        <translation>The content check could not finish!</translation>
    </message>
    <message>
        <source>内存不足，内容检查未能完成!</source>
        <translation>Out of memory: the content check could not finish!</translation>
    </message>
    <message>
        <source>移到回收站…</source>
        <translation>Move to Trash…</translation>
    </message>
</context>
<context>
    <name>vornak::CopiesToTrashWindow</name>
    <message>
        <source>移到回收站</source>
        <translation>Move to Trash</translation>
    </message>
    <message>
        <source>最早的</source>
        <translation>The oldest</translation>
    </message>
    <message>
        <source>最新的</source>
        <translation>The newest</translation>
    </message>
    <message>
        <source>路径最短的</source>
        <translation>The shortest path</translation>
    </message>
    <message>
        <source>列表中第一个</source>
        <translation>The first in the list</translation>
    </message>
    <message>
        <source>当前文件夹中的</source>
        <translation>The one in the shown folder</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>每组保留：</source>
        <translation>Keep in each group:</translation>
    </message>
    <message>
        <source>把 %1 个名称移到回收站？可以用 Ctrl+Z 撤销。</source>
        <translation>Move %1 names to the trash? Ctrl+Z undoes it.</translation>
    </message>
    <message>
        <source>无法写入撤销记录，没有移动任何文件。</source>
        <translation>The undo record cannot be written; no file was moved.</translation>
    </message>
    <message>
        <source>无法打开文件夹，没有移动任何文件。</source>
        <translation>The folder cannot be opened; no file was moved.</translation>
    </message>
</context>
<context>
    <name>vornak::FileCommands</name>
    <message>
        <source>此处没有回收站，文件将被永久删除，无法恢复！确定删除吗？</source>
        <translation>There is no trash here: the file will be deleted for good and cannot be restored! Delete it?</translation>
    </message>
    <message>
        <source>确定将文件移到回收站吗？</source>
        <translation>Move the file to the trash?</translation>
    </message>
    <message>
        <source>无法删除文件。</source>
        <translation>The file cannot be deleted.</translation>
    </message>
</context>
<context>
    <name>vornak::LivePreview</name>
    <message>
        <source>更改后文件名：</source>
        <translation>New name: </translation>
    </message>
    <message>
        <source>文件大小：</source>
        <translation>File size: </translation>
    </message>
</context>
<context>
    <name>vornak::MainWindow</name>
    <message>
        <source>可直接输入地址 例如：输入/home</source>
        <translation>Type an address, e.g. /home</translation>
    </message>
    <message>
        <source>批量</source>
        <translation>Batch</translation>
    </message>
    <message>
        <source>批量更改</source>
        <translation>Change all files in the list</translation>
    </message>
    <message>
        <source>单个</source>
        <translation>One</translation>
    </message>
    <message>
        <source>单个更改</source>
        <translation>Change the selected file only</translation>
    </message>
    <message>
        <source>筛选文件名</source>
        <translation>Filter by name</translation>
    </message>
    <message>
        <source>筛选文件后缀</source>
        <translation>Filter by extension</translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>格式名：</source>
        <translation>Ext.:</translation>
    </message>
    <message>
        <source>按住可移动框体</source>
        <translation>Drag to resize the lists</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>前面加字</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>后面加字</source>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>改文件名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>改格式名</source>
        <translation>Ext.</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>删除文件</source>
        <translation>Delete file</translation>
    </message>
    <message>
        <source>检查</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>检查文件</source>
        <translation>Check file</translation>
    </message>
    <message>
        <source>全体检查</source>
        <translation>Check all</translation>
    </message>
    <message>
        <source>内容检查</source>
        <translation>Content check</translation>
    </message>
    <message>
        <source>撤销重命名</source>
        <translation>Undo rename</translation>
    </message>
    <message>
        <source>批量预览…</source>
        <translation>Batch preview…</translation>
    </message>
</context>
<context>
    <name>vornak::RenameEngine</name>
    <message>
        <source>正在重命名</source>
        <translation>Renaming</translation>
    </message>
    <message>
        <source>正在撤销</source>
        <translation>Undoing</translation>
    </message>
    <message>
        <source>重命名结果</source>
        <translation>Rename results</translation>
    </message>
    <message>
        <source>撤销结果</source>
        <translation>Undo results</translation>
    </message>
</context>
<context>
    <name>vornak::RenameRun</name>
    <message>
        <source>是否执行重命名？</source>
        <translation>Rename the files?</translation>
    </message>
</context>
<context>
    <name>vornak::RenameUndo</name>
    <message>
        <source>共 %1 个文件</source>
        <translation>%1 files</translation>
    </message>
    <message>
        <source>位置：</source>
        <translation>Where: </translation>
    </message>
    <message>
        <source>撤销上次重命名？</source>
        <translation>Undo the last rename?</translation>
    </message>
    <message>
        <source>有一次重命名没有完成（程序被中断）。</source>
        <translation>A rename did not finish (the program was interrupted).</translation>
    </message>
    <message>
        <source>撤销已完成的部分吗？</source>
        <translation>Undo the part that was done?</translation>
    </message>
    <message>
        <source>最多 %1 个文件</source>
        <translation>at most %1 files</translation>
    </message>
    <message>
        <source>上次撤销没有恢复任何文件。</source>
        <translation>The last undo restored no file.</translation>
    </message>
    <message>
        <source>跳过这次重命名，以后撤销它之前的重命名吗？</source>
        <translation>Skip this rename, so that the next undo goes to the rename before it?</translation>
    </message>
    <message>
        <source>它的撤销记录会保留，不会删除。</source>
        <translation>Its undo record is kept, not deleted.</translation>
    </message>
    <message>
        <source>无法跳过这次重命名；下次撤销仍会先问它。</source>
        <translation>This rename cannot be skipped; the next undo will ask about it first again.</translation>
    </message>
    <message>
        <source>把上次移到回收站的文件放回原处？</source>
        <translation>Put the files last moved to the trash back where they were?</translation>
    </message>
    <message>
        <source>有一次移到回收站没有完成（程序被中断）。</source>
        <translation>A move to the trash did not finish (the program was interrupted).</translation>
    </message>
</context>
<context>
    <name>vornak::ResultsWindow</name>
    <message>
        <source>报告共 %1 行、%2 字节，超过剪贴板可容纳的 64 MB，没有复制。</source>
        <translation>The report has %1 lines, %2 bytes: more than the 64 MB the clipboard holds, so it was not copied.</translation>
    </message>
    <message>
        <source>单击自动复制内容</source>
        <translation>Click to copy the report</translation>
    </message>
</context>
<context>
    <name>vornak::RunProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正在准备…</source>
        <translation>Preparing…</translation>
    </message>
    <message>
        <source>%1：%2 / %3 个文件</source>
        <translation>%1: %2 / %3 files</translation>
    </message>
    <message>
        <source>正在整理结果…</source>
        <translation>Gathering the results…</translation>
    </message>
</context>
</TS>
