"use strict";
// The upload page: sends one thesis, follows its check, shows the findings.
(function () {
  const $ = (id) => document.getElementById(id);
  const LEVEL_RANK = { "严重": 0, "中等": 1, "轻微": 2 };
  const MODE_TEXT = { check: "查错", fix: "自动修改" };
  let rows = [];
  let sortKey = "number";
  let sortUp = true;
  let polling = null;

  function show(element, visible) { element.hidden = !visible; }

  function fail(text) {
    $("form-error").textContent = text;
    show($("form-error"), true);
    show($("upload"), true);
    show($("progress"), false);
  }

  function chosenFile() { return $("file").files.length ? $("file").files[0] : null; }

  function showChosen() {
    const file = chosenFile();
    $("drop-text").textContent = file ? "已选择：" + file.name : "把论文拖到这里，或点击选择文件";
    $("drop").classList.toggle("chosen", !!file);
  }

  function loadTemplates() {
    fetch("/api/templates").then((r) => r.json()).then((answer) => {
      const upload = $("template").querySelector("option[value='*upload']");
      for (const t of answer.templates || []) {
        const option = document.createElement("option");
        option.value = t.name;
        option.textContent = t.name + (t.type === "master" ? "（硕士）" : "（学士）");
        $("template").insertBefore(option, upload);
      }
    }).catch(() => {});
  }

  function formData() {
    const data = new FormData();
    data.append("file", chosenFile());
    data.append("type", $("type").value);
    const parts = [...document.querySelectorAll("input[name=part]:checked")].map((p) => p.value);
    data.append("parts", parts.join(","));
    data.append("mode", document.querySelector("input[name=mode]:checked").value);
    data.append("comments", $("comments").checked ? "1" : "0");
    if ($("template").value === "*upload") {
      if ($("template-file").files.length) data.append("template_file", $("template-file").files[0]);
    } else if ($("template").value === "*model") {
      if ($("model-file").files.length) data.append("template_model", $("model-file").files[0]);
    } else if ($("template").value) {
      data.append("template", $("template").value);
    }
    return data;
  }

  function start(event) {
    event.preventDefault();
    show($("form-error"), false);
    if (!chosenFile()) return fail("请先选择要检测的论文文件（.doc 或 .docx）。");
    if (!document.querySelector("input[name=part]:checked")) return fail("请至少选择一个检测部分。");
    if ($("template").value === "*upload" && !$("template-file").files.length) return fail("请选择模板文件（.ini）。");
    if ($("template").value === "*model" && !$("model-file").files.length) return fail("请选择学校的模板文档（.doc 或 .docx）。");
    $("start").disabled = true;
    fetch("/api/checks", { method: "POST", body: formData() })
      .then((r) => r.json().then((answer) => ({ status: r.status, answer })))
      .then(({ status, answer }) => {
        $("start").disabled = false;
        if (status !== 202) return fail(answer.error || "上传没有成功（" + status + "）");
        show($("upload"), false);
        show($("progress"), true);
        $("progress-file").textContent = chosenFile().name;
        follow(answer.id);
      })
      .catch(() => {
        $("start").disabled = false;
        fail("无法连接检测服务，请稍后再试。");
      });
  }

  function follow(id) {
    const look = () => fetch("/api/checks/" + id).then((r) => r.json()).then((check) => {
      if (check.status === "queued") {
        $("progress-title").textContent = "排队中";
        $("progress-text").textContent = check.queuePlace > 1
          ? "前面还有 " + (check.queuePlace - 1) + " 份论文，请稍候。"
          : "下一份就轮到您的论文。";
        $("progress").classList.add("waiting");
      } else if (check.status === "running") {
        $("progress-title").textContent = "正在检测";
        $("progress-text").textContent = check.progress || "";
        $("progress").classList.remove("waiting");
      } else {
        clearInterval(polling);
        if (check.status === "done") showResult(id, check);
        else if (check.error) fail(check.error);
        else fail("检测没有完成：" + (check.message || ""));
      }
    }).catch(() => {});
    look();
    polling = setInterval(look, 1000);
  }

  function showResult(id, check) {
    show($("progress"), false);
    show($("result"), true);
    $("result-file").textContent = check.file + "（" + MODE_TEXT[check.mode] + "）";
    rows = check.findings.map((f, i) => ({
      number: i + 1, level: f.level, page: f.page, line: f.line, description: f.description,
    }));
    const counts = {};
    for (const r of rows) counts[r.level] = (counts[r.level] || 0) + 1;
    $("summary").textContent = rows.length
      ? "共 " + rows.length + " 处问题：" + Object.keys(LEVEL_RANK).filter((l) => counts[l])
          .map((l) => l + " " + counts[l] + " 处").join("，") + "。"
      : "没有发现格式问题。";
    $("report-doc").textContent = check.mode === "fix" ? "下载修改后的论文" : "下载标注后的论文";
    $("report-doc").href = "/api/checks/" + id + "/report";
    $("report-txt").href = "/api/checks/" + id + "/report.txt";
    show($("report-doc"), !!check.report);
    show($("report-txt"), !!check.report);
    show($("no-findings"), rows.length === 0);
    show($("findings"), rows.length > 0);
    drawTable();
  }

  function compare(a, b) {
    const key = sortKey;
    let order;
    if (key === "level") order = LEVEL_RANK[a.level] - LEVEL_RANK[b.level];
    else if (key === "description") order = a.description.localeCompare(b.description, "zh-CN");
    else order = a[key] - b[key];
    if (order === 0) order = a.number - b.number;
    return sortUp ? order : -order;
  }

  function drawTable() {
    const level = $("level-filter").value;
    const body = $("findings").tBodies[0];
    body.replaceChildren();
    for (const r of rows.filter((x) => !level || x.level === level).sort(compare)) {
      const tr = document.createElement("tr");
      tr.className = "level-" + (LEVEL_RANK[r.level] ?? 1);
      for (const key of ["number", "level", "page", "line", "description"]) {
        const td = document.createElement("td");
        td.textContent = r[key];
        td.dataset.label = { number: "序号", level: "等级", page: "页码", line: "行", description: "问题描述" }[key];
        tr.appendChild(td);
      }
      body.appendChild(tr);
    }
    for (const th of $("findings").tHead.rows[0].cells) {
      th.setAttribute("aria-sort", th.dataset.key === sortKey ? (sortUp ? "ascending" : "descending") : "none");
    }
  }

  function sortBy(event) {
    const th = event.target.closest("th");
    if (!th) return;
    if (sortKey === th.dataset.key) sortUp = !sortUp; else { sortKey = th.dataset.key; sortUp = true; }
    drawTable();
  }

  function again() {
    clearInterval(polling);
    rows = [];
    show($("result"), false);
    show($("upload"), true);
  }

  function dropping(event) {
    event.preventDefault();
    $("drop").classList.toggle("over", event.type === "dragover");
  }

  function dropped(event) {
    event.preventDefault();
    $("drop").classList.remove("over");
    if (event.dataTransfer.files.length) {
      $("file").files = event.dataTransfer.files;
      showChosen();
    }
  }

  function loadLimits() {
    fetch("/healthz").then((r) => r.json()).then((health) => {
      if (health.maxUploadMb) $("max-mb").textContent = health.maxUploadMb;
    }).catch(() => {});
  }

  $("file").addEventListener("change", showChosen);
  $("drop").addEventListener("dragover", dropping);
  $("drop").addEventListener("dragleave", dropping);
  $("drop").addEventListener("drop", dropped);
  $("template").addEventListener("change", () => {
    show($("template-file-row"), $("template").value === "*upload");
    show($("model-file-row"), $("template").value === "*model");
  });
  $("upload").addEventListener("submit", start);
  $("findings").tHead.addEventListener("click", sortBy);
  $("level-filter").addEventListener("change", drawTable);
  $("again").addEventListener("click", again);
  loadTemplates();
  loadLimits();
})();
